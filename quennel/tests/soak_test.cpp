// A fault-injection soak: several Zarvo windows on pages whose every call
// may fail or yield nothing, 100,000 random keys among them, with sites
// taken away and given back, Start and Stop, focus moving into text fields
// and timers firing. Nothing may crash, every reference taken must be
// given back, and no window or timer may be left once the objects are
// stopped and released.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "substitutes.h"
#include "testkit.h"
#include "zarvo_host.h"

namespace {

using substitutes::Links;
using substitutes::PageSpec;
using zarvo_host::BrowserWindow;

PageSpec ManyLinks(int count, const wchar_t* stem) {
  PageSpec page;
  for (int i = 0; i < count; ++i)
    page.links.push_back({std::wstring(stem) + L" " + std::to_wstring(i) + L" read more", i % 7 != 3});
  return page;
}

struct Key {
  UINT vk;
  unsigned modifiers;
};

// Words of the pages' links, so that typing finds something now and then.
const char kCorpus[] = "top page left frame main download mirror home cab upload contact read more 17 ";

// Keys other than typing: the switch, keys that type nothing, keys that
// type what no link holds.
const Key kOtherKeys[] = {
    {'L', zarvo_host::kCtrl}, {VK_TAB, 0},
    {VK_LEFT, 0}, {VK_F5, 0}, {VK_OEM_1, zarvo_host::kShift}, {'Q', 0}, {'9', 0},
};

TEST(Soak, RandomKeysOnFailingPagesLeaveNothingBehind) {
  CoInitialize(nullptr);
  ASSERT_TRUE(zarvo_host::EnsureRegistered(testkit::WinPath(QUENNEL_DLL)));
  const uint32_t seed = 20240611;
  SCOPED_TRACE("seed " + std::to_string(seed));

  substitutes::World world;
  std::vector<PageSpec> pages;
  {
    PageSpec frameset = ManyLinks(20, L"Top page");
    frameset.otherEmbeddings = 1;
    frameset.frames = {ManyLinks(8, L"Left frame"), ManyLinks(12, L"Main frame download")};
    PageSpec noDocument;
    noDocument.hasDocument = false;
    frameset.frames.push_back(noDocument);
    pages.push_back(frameset);
    pages.push_back(ManyLinks(60, L"Download mirror"));
    PageSpec odd = Links({L"Home", L"", L"cab cab"});
    odd.htmlDocument = true;
    odd.frames = {ManyLinks(5, L"Frame"), Links({L"Upload"})};
    odd.frames[0].container = false;
    pages.push_back(odd);
    pages.push_back(noDocument);
    PageSpec plain = ManyLinks(10, L"Contact");
    plain.container = false;
    plain.hasBody = false;
    pages.push_back(plain);
  }
  std::vector<IUnknown*> browsers;
  std::vector<std::string> documents = {"top", "frame 0", "frame 1", "site 1", "site 2", "site 2/frame 0", "site 4"};
  for (size_t i = 0; i < pages.size(); ++i)
    browsers.push_back(world.Build(pages[i], i == 0 ? "top" : "site " + std::to_string(i)));

  std::vector<std::unique_ptr<BrowserWindow>> windows;
  for (size_t i = 0; i < browsers.size(); ++i) {
    windows.push_back(std::make_unique<BrowserWindow>());
    ASSERT_EQ(windows.back()->CreateByClsid(), S_OK);
    windows.back()->SetSite(browsers[i]);
    windows.back()->Start();
    // Only the object is exercised: keys not used up go no further.
    windows.back()->SetPassKeysOn(false);
  }
  std::vector<bool> hasSite(windows.size(), true);
  std::vector<bool> started(windows.size(), true);

  world.SetFaults(0.02, seed);
  std::mt19937 random(seed);
  const wchar_t* tags[] = {L"", L"", L"", L"INPUT", L"textarea", L"A", L"DIV", L""};
  int used = 0, passed = 0, failed = 0;
  const int kKeys = 100000;
  int n = 0;
  auto press = [&](size_t w, Key k) {
    HRESULT hr = windows[w]->Key(k.vk, k.modifiers);
    if (hr == S_OK) {
      ++used;
    } else if (hr == S_FALSE) {
      ++passed;
    } else {
      EXPECT_EQ(hr, E_FAIL) << "only the frame enumeration's failure comes back, key " << n;
      ++failed;
    }
    if (++n % 5000 == 0) world.ClearLog();
  };
  while (n < kKeys) {
    size_t w = random() % windows.size();
    unsigned action = random() % 100;
    if (action < 1) {
      started[w] ? windows[w]->Stop() : windows[w]->Start();
      started[w] = !started[w];
    } else if (action < 2) {
      hasSite[w] = !hasSite[w];
      windows[w]->SetSite(hasSite[w] ? browsers[w] : nullptr);
    } else if (action < 5) {
      world.SetActiveTag(documents[random() % documents.size()], tags[random() % 8]);
    } else if (action < 7) {
      zarvo_host::PumpMessages(0);
    } else if (action < 8) {
      // Off, a key while off, and on again.
      press(w, {'A', zarvo_host::kCtrl | zarvo_host::kShift});
      press(w, {static_cast<UINT>(LOBYTE(VkKeyScanA(kCorpus[random() % (sizeof kCorpus - 1)]))), 0});
      press(w, {'A', zarvo_host::kCtrl | zarvo_host::kShift});
    } else if (action < 15) {
      press(w, kOtherKeys[random() % (sizeof kOtherKeys / sizeof kOtherKeys[0])]);
    } else {
      // A burst of typing from the link texts, often after Esc, then
      // perhaps Esc, Enter or Backspace.
      if (random() % 2) press(w, {VK_ESCAPE, 0});
      size_t from = random() % (sizeof kCorpus - 1);
      for (unsigned i = 0, len = 1 + random() % 6; i < len; ++i) {
        SHORT scan = VkKeyScanA(kCorpus[(from + i) % (sizeof kCorpus - 1)]);
        unsigned mods = ((scan & 0x100) || random() % 5 == 0) ? unsigned{zarvo_host::kShift} : 0u;
        press(w, {static_cast<UINT>(LOBYTE(scan)), mods});
      }
      switch (random() % 8) {
        case 0: case 1: press(w, {VK_ESCAPE, 0}); break;
        case 2: press(w, {VK_RETURN, 0}); break;
        case 3: press(w, {VK_BACK, 0}); press(w, {VK_BACK, 0}); break;
        case 4: press(w, {VK_BACK, 0}); break;
        default: break;
      }
    }
  }
  std::printf("%d keys: %d used up, %d passed on, %d failed\n", kKeys, used, passed, failed);
  EXPECT_GT(used, 0);
  EXPECT_GT(passed, 0);
  EXPECT_GT(failed, 0);

  world.SetFaults(0, seed);
  for (auto& w : windows) w->Close();
  const std::vector<std::string> leftOver = world.Unreleased();
  EXPECT_EQ(leftOver, std::vector<std::string>{});
  EXPECT_TRUE(zarvo_host::MessageWindowsOfThread().empty());
  // A timer left behind would fire within its three seconds.
  int timers = 0;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 3300) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER) ++timers;
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  EXPECT_EQ(timers, 0) << "no timer left";
  HMODULE dll = GetModuleHandleA("Quennel.dll");
  ASSERT_NE(dll, nullptr);
  auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  const HRESULT hrUnload = canUnload();
  EXPECT_EQ(hrUnload, S_OK) << "no object left alive";
  const size_t objects = windows.size();
  windows.clear();
  // One line for the test command's summary of the reliability figures. A
  // crash ends the program before it, so its absence is the crash count.
  std::printf("FIGURES soak: %d keystrokes on %u TNG objects (%d page objects created), "
              "%d failed calls and %d empty results injected, 0 crashes, "
              "%u references left over, library %s\n",
              kKeys, static_cast<unsigned>(objects),
              world.ObjectsCreated(), world.InjectedFailures(), world.InjectedEmpties(),
              static_cast<unsigned>(leftOver.size()), hrUnload == S_OK ? "can unload" : "still holds objects");
  std::fflush(stdout);
  CoUninitialize();
}

}  // namespace
