#include "key_translate.h"

namespace quennel {

namespace {

// Windows 10 version 1607 (build 14393) is the first to honour flag 4.
bool SystemKeepsDeadKeys() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  auto rtlGetVersion =
      ntdll ? reinterpret_cast<RtlGetVersionFn>(
                  reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
            : nullptr;
  if (!rtlGetVersion) return false;
  OSVERSIONINFOW v = {};
  v.dwOSVersionInfoSize = sizeof v;
  if (rtlGetVersion(&v) != 0) return false;
  if (v.dwMajorVersion != 10) return v.dwMajorVersion > 10;
  return v.dwBuildNumber >= 14393;
}

KeyboardApi& Api() {
  static KeyboardApi api = SystemKeyboard();
  return api;
}

// Set when a dead key went by on a system that cannot translate without
// using it up; cleared by the next key that is not a modifier.
bool g_deadKeyPending = false;

// Which keys of the current layout are dead keys, learned one key at a
// time: asking the layout is slow on some systems, and the answer only
// changes with the layout.
struct DeadKeys {
  HKL layout = nullptr;
  unsigned char known[256] = {};  // 0 not asked yet, 1 a live key, 2 a dead key
};
DeadKeys g_deadKeys;

bool IsDeadKey(const KeyboardApi& api, UINT vk, HKL layout) {
  if (vk > 255 || !api.mapVirtualKeyEx) return false;
  if (g_deadKeys.layout != layout) g_deadKeys = DeadKeys{layout, {}};
  unsigned char& known = g_deadKeys.known[vk];
  if (!known) known = (api.mapVirtualKeyEx(vk, MAPVK_VK_TO_CHAR, layout) & 0x80000000u) ? 2 : 1;
  return known == 2;
}

bool IsModifier(UINT vk) {
  switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_MENU: case VK_LMENU: case VK_RMENU:
    case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
      return true;
    default:
      return false;
  }
}

}  // namespace

KeyboardApi SystemKeyboard() {
  KeyboardApi api;
  api.toUnicodeEx = ToUnicodeEx;
  api.mapVirtualKeyEx = MapVirtualKeyExA;
  api.getKeyboardLayout = GetKeyboardLayout;
  api.keepsDeadKeys = SystemKeepsDeadKeys();
  return api;
}

void SetKeyboardApi(const KeyboardApi& api) {
  Api() = api;
  g_deadKeyPending = false;
  g_deadKeys = DeadKeys();
}

char TypedCharacter(UINT uVirtualKey, UINT uScanCode, const BYTE* pKeyState) {
  const KeyboardApi& api = Api();
  if (!api.toUnicodeEx || !pKeyState) return 0;
  HKL layout = api.getKeyboardLayout ? api.getKeyboardLayout(0) : nullptr;
  UINT flags = kToUnicodeKeepState;
  if (!api.keepsDeadKeys) {
    // Without flag 4 every translation changes the dead-key state: leave
    // the dead key and the key that follows it to Zarvo's own translation.
    flags = 0;
    if (IsDeadKey(api, uVirtualKey, layout)) {
      g_deadKeyPending = true;
      return 0;
    }
    if (g_deadKeyPending) {
      if (!IsModifier(uVirtualKey)) g_deadKeyPending = false;
      return 0;
    }
  }
  WCHAR buf[8] = {};
  int n = api.toUnicodeEx(uVirtualKey, uScanCode & 0xFF, pKeyState, buf, 8, flags, layout);
  if (n != 1) return 0;  // a dead key (-1), nothing (0), or an accent that did not combine (2+)
  if (buf[0] < 0x20 || buf[0] > 0x7E) return 0;
  return static_cast<char>(buf[0]);
}

}  // namespace quennel
