// The engine asks what character a key types without using up a pending
// dead key. A model keyboard with one dead key (the circumflex of a French
// layout, VK_OEM_6) keeps the dead-key state as Windows does, so the tests
// can follow a user typing "^" and "e" into a text field of the page: the
// engine sees each key first, then Zarvo's TranslateMessage translates it.
#include <gtest/gtest.h>

#include <string>

#include "key_translate.h"
#include "module.h"
#include "substitutes.h"
#include "tng.h"
#include "zarvo_host.h"

namespace {

using quennel::KeyboardApi;

constexpr UINT kDeadCircumflex = VK_OEM_6;

struct ModelKeyboard {
  static bool honoursKeepState;
  static WCHAR pending;  // the dead key waiting for the next key, or 0
  static int translations;

  static WCHAR Compose(WCHAR c) {
    switch (c) {
      case L'a': return 0xE2;  // â
      case L'e': return 0xEA;  // ê
      case L'E': return 0xCA;  // Ê
      case L' ': return L'^';
      default: return 0;
    }
  }

  static int WINAPI ToUnicodeEx(UINT vk, UINT, const BYTE* state, LPWSTR buf, int, UINT flags, HKL) {
    ++translations;
    const bool keep = honoursKeepState && (flags & quennel::kToUnicodeKeepState);
    const bool shift = (state[VK_SHIFT] & 0x80) != 0;
    if (vk == kDeadCircumflex) {
      if (pending) {
        if (!keep) pending = 0;
        buf[0] = L'^';
        buf[1] = L'^';
        return 2;
      }
      if (!keep) pending = L'^';
      buf[0] = L'^';
      return -1;
    }
    WCHAR c = 0;
    if (vk >= 'A' && vk <= 'Z') c = static_cast<WCHAR>(shift ? vk : vk + 32);
    if (vk == VK_SPACE) c = L' ';
    if (!c) return 0;
    if (pending) {
      if (!keep) pending = 0;
      if (WCHAR composed = Compose(c)) {
        buf[0] = composed;
        return 1;
      }
      buf[0] = L'^';
      buf[1] = c;
      return 2;
    }
    buf[0] = c;
    return 1;
  }

  static UINT WINAPI MapVirtualKeyEx(UINT vk, UINT type, HKL) {
    if (type != MAPVK_VK_TO_CHAR) return 0;
    if (vk == kDeadCircumflex) return 0x80000000u | L'^';
    if (vk >= 'A' && vk <= 'Z') return vk;
    if (vk == VK_SPACE) return L' ';
    return 0;
  }

  static HKL WINAPI Layout(DWORD) { return reinterpret_cast<HKL>(0x040C040C); }

  static KeyboardApi Api(bool honours) {
    honoursKeepState = honours;
    pending = 0;
    translations = 0;
    KeyboardApi api;
    api.toUnicodeEx = ToUnicodeEx;
    api.mapVirtualKeyEx = MapVirtualKeyEx;
    api.getKeyboardLayout = Layout;
    api.keepsDeadKeys = honours;
    return api;
  }

  // What TranslateMessage makes of the key.
  static std::wstring Translate(UINT vk, bool shift = false) {
    BYTE state[256] = {};
    if (shift) state[VK_SHIFT] = 0x80;
    WCHAR buf[8] = {};
    int n = ToUnicodeEx(vk, 0, state, buf, 8, 0, Layout(0));
    return n > 0 ? std::wstring(buf, static_cast<size_t>(n)) : std::wstring();
  }
};
bool ModelKeyboard::honoursKeepState = true;
WCHAR ModelKeyboard::pending = 0;
int ModelKeyboard::translations = 0;

char EngineSees(UINT vk, bool shift = false) {
  BYTE state[256] = {};
  if (shift) state[VK_SHIFT] = 0x80;
  state[vk] = 0x80;
  return quennel::TypedCharacter(vk, 0, state);
}

struct Restore {
  ~Restore() { quennel::SetKeyboardApi(quennel::SystemKeyboard()); }
};

// Systems with flag 4 (Windows 10 1607 on) and older ones without it.
class DeadKeyTest : public ::testing::TestWithParam<bool> {};

TEST_P(DeadKeyTest, AccentReachesTheTextField) {
  Restore restore;
  quennel::SetKeyboardApi(ModelKeyboard::Api(GetParam()));
  EXPECT_EQ(EngineSees(kDeadCircumflex), 0) << "a dead key types nothing by itself";
  EXPECT_EQ(ModelKeyboard::Translate(kDeadCircumflex), L"");
  EXPECT_EQ(EngineSees('E'), 0) << "the accented letter is not searchable";
  EXPECT_EQ(ModelKeyboard::Translate('E'), std::wstring(1, 0xEA)) << "the user gets \"ê\"";
  EXPECT_EQ(ModelKeyboard::pending, 0);

  // A modifier between the accent and the letter: "Ê".
  EXPECT_EQ(EngineSees(kDeadCircumflex), 0);
  ModelKeyboard::Translate(kDeadCircumflex);
  EXPECT_EQ(EngineSees(VK_SHIFT, true), 0);
  EXPECT_EQ(EngineSees('E', true), 0);
  EXPECT_EQ(ModelKeyboard::Translate('E', true), std::wstring(1, 0xCA));

  // Without a dead key, letters translate as ever.
  EXPECT_EQ(EngineSees('E'), 'e');
  EXPECT_EQ(EngineSees('E', true), 'E');
  EXPECT_EQ(EngineSees(VK_SPACE), ' ');
  EXPECT_EQ(ModelKeyboard::Translate('E'), L"e");
}

TEST_P(DeadKeyTest, TheModelShowsWhatPlainTranslationBreaks) {
  Restore restore;
  quennel::SetKeyboardApi(ModelKeyboard::Api(GetParam()));
  // The keyboard model is faithful: translating each key once more before
  // TranslateMessage, as ToAscii with flags 0 did, loses the accent.
  BYTE state[256] = {};
  WCHAR buf[8];
  ModelKeyboard::ToUnicodeEx(kDeadCircumflex, 0, state, buf, 8, 0, nullptr);  // the engine, flags 0
  ModelKeyboard::Translate(kDeadCircumflex);                                  // TranslateMessage
  ModelKeyboard::ToUnicodeEx('E', 0, state, buf, 8, 0, nullptr);
  EXPECT_NE(ModelKeyboard::Translate('E'), std::wstring(1, 0xEA));
}

INSTANTIATE_TEST_SUITE_P(Systems, DeadKeyTest, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "KeepStateFlag" : "NoKeepStateFlag"); });

TEST(DeadKey, OldSystemsLeaveTheDeadKeyToTranslateMessage) {
  Restore restore;
  quennel::SetKeyboardApi(ModelKeyboard::Api(false));
  EngineSees(kDeadCircumflex);
  EXPECT_EQ(ModelKeyboard::translations, 0) << "no translation of the dead key itself";
  ModelKeyboard::Translate(kDeadCircumflex);
  int before = ModelKeyboard::translations;
  EngineSees('E');
  EXPECT_EQ(ModelKeyboard::translations, before) << "nor of the key that follows it";
}

// The whole key handler with the model keyboard: the accent and the letter
// go on to Zarvo untouched, and the search text does not change.
TEST(DeadKey, KeyHandlerPassesAccentedTypingOn) {
  Restore restore;
  quennel::SetKeyboardApi(ModelKeyboard::Api(true));
  substitutes::World world;
  IUnknown* object = nullptr;
  ASSERT_EQ(quennel::Tng::Create(nullptr, &object), S_OK);
  zarvo_host::BrowserWindow host;
  ASSERT_EQ(host.Adopt(object), S_OK);
  host.SetSite(world.Build(substitutes::Links({L"Crème brûlée", L"Forêt"})));
  host.Start();
  IInputObject* input = nullptr;
  object = host.Object();
  object->QueryInterface(IID_IInputObject, reinterpret_cast<void**>(&input));
  std::wstring typed;  // what Zarvo's TranslateMessage makes of the keys passed on
  for (UINT vk : {kDeadCircumflex, static_cast<UINT>('E')}) {
    zarvo_host::SetKeyboardFor(vk, 0);
    MSG msg = zarvo_host::KeyDownMessage(host.Window(), vk);
    EXPECT_EQ(input->TranslateAcceleratorIO(&msg), S_FALSE);
    typed += ModelKeyboard::Translate(vk);
  }
  zarvo_host::ReleaseAllKeys();
  EXPECT_EQ(typed, std::wstring(1, 0xEA));
  EXPECT_EQ(quennel::SearchText(), "");
  EXPECT_TRUE(world.Selections().empty());
  input->Release();
  host.Close();
  EXPECT_TRUE(world.Unreleased().empty());
}

// On a system whose keyboard composes dead keys (Windows with the French
// layout), the real thing: the engine's look at "^" and "e" leaves the
// accent for TranslateMessage. Wine's keyboard follows the X server's
// layout and keeps no dead-key state of its own, so there the test can
// only say so.
TEST(DeadKey, RealFrenchKeyboardKeepsTheAccent) {
  HKL french = LoadKeyboardLayoutA("0000040C", KLF_NOTELLSHELL);
  BYTE state[256] = {};
  WCHAR buf[8] = {};
  int dead = french ? ToUnicodeEx(kDeadCircumflex, MapVirtualKeyExA(kDeadCircumflex, MAPVK_VK_TO_VSC, french),
                                  state, buf, 8, 0, french)
                    : 0;
  if (dead != -1) GTEST_SKIP() << "this system's keyboard has no dead circumflex key";
  WCHAR flush[8];
  ToUnicodeEx(VK_SPACE, 0, state, flush, 8, 0, french);  // clear what the probe left pending
  HKL previous = ActivateKeyboardLayout(french, 0);

  EXPECT_EQ(EngineSees(kDeadCircumflex), 0);
  int n = ToUnicodeEx(kDeadCircumflex, 0, state, buf, 8, 0, french);  // TranslateMessage
  EXPECT_EQ(n, -1);
  EXPECT_EQ(EngineSees('E'), 0);
  n = ToUnicodeEx('E', 0, state, buf, 8, 0, french);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(buf[0], 0xEA) << "the user gets \"ê\"";
  if (previous) ActivateKeyboardLayout(previous, 0);
}

}  // namespace
