// Quennel as Zarvo uses it: the library registered with regsvr32, TNG
// objects created through COM, each handed a substitute browser, started,
// sent keys with the keyboard state set, pumped so the idle timer fires,
// and closed with Stop, SetSite(null) and Release. Every test ends by
// checking that every reference the engine took was given back and no
// message window is left.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "substitutes.h"
#include "testkit.h"
#include "uidriver.h"
#include "zarvo_host.h"

namespace {

using substitutes::Links;
using substitutes::PageSpec;
using substitutes::Selection;
using zarvo_host::BrowserWindow;
using zarvo_host::kCtrl;
using zarvo_host::kShift;

const std::string kEnabled = "\nT&G Enabled";
const std::string kDisabled = "\nT&G Disabled";
const std::string kCleared = "\nT&G Cleared";
const std::string kStopped = "\nT&G Stopped";
const std::string kFinding = "\nT&G Finding...( Press ESC to clear )";
const std::string kNotFound = "\nT&G Finding: Not Found";

using Texts = std::vector<std::string>;

std::string DllPath() { return testkit::WinPath(QUENNEL_DLL); }

class HostTest : public ::testing::Test {
 protected:
  struct ComScope {
    ComScope() { CoInitialize(nullptr); }
    ~ComScope() { CoUninitialize(); }
  };

  void SetUp() override { ASSERT_TRUE(zarvo_host::EnsureRegistered(DllPath())) << DllPath(); }

  void TearDown() override {
    for (auto& w : windows_) w->Close();
    windows_.clear();
    EXPECT_EQ(world_.Unreleased(), std::vector<std::string>{}) << "references left on the browser";
    EXPECT_TRUE(zarvo_host::MessageWindowsOfThread().empty()) << "a message window outlived its object";
  }

  // A Zarvo browser window showing the page, with its TNG object set up as
  // Zarvo does it: created by CLSID, SetSite, Start.
  BrowserWindow& Open(const PageSpec& page, bool bStart = true, const std::string& sName = "top") {
    windows_.push_back(std::make_unique<BrowserWindow>());
    BrowserWindow& w = *windows_.back();
    EXPECT_EQ(w.CreateByClsid(), S_OK);
    browser_ = world_.Build(page, sName);
    w.SetSite(browser_);
    if (bStart) {
      EXPECT_EQ(w.Start(), 1);
    }
    return w;
  }

  Texts Status(const std::string& sBrowser = "top") const { return world_.StatusTexts(sBrowser); }
  long Count(const std::string& sText, const std::string& sBrowser = "top") const {
    Texts all = Status(sBrowser);
    return static_cast<long>(std::count(all.begin(), all.end(), sText));
  }
  std::wstring Selected() const {
    return world_.Selections().empty() ? L"(nothing)" : world_.Selections().back().text;
  }
  std::string SelectedIn() const {
    return world_.Selections().empty() ? "(nothing)" : world_.Selections().back().element;
  }
  void TypeAll(BrowserWindow& w, const std::string& sText, HRESULT hrEach = S_OK) {
    for (HRESULT hr : w.Type(sText)) EXPECT_EQ(hr, hrEach) << "typing \"" << sText << "\"";
  }
  // Whether the window's idle timer is armed; disarms it to find out.
  static bool TakeIdleTimer() {
    auto windows = zarvo_host::MessageWindowsOfThread();
    return windows.size() == 1 && KillTimer(windows[0], 0);
  }

  ComScope com_;
  substitutes::World world_;
  std::vector<std::unique_ptr<BrowserWindow>> windows_;
  IUnknown* browser_ = nullptr;
};

// --- the switch, Esc, Enter, Backspace -------------------------------------------

TEST_F(HostTest, SwitchWorksInBothStatesAndLeavesTheSearchTextAlone) {
  BrowserWindow& w = Open(Links({L"Home", L"Download"}));
  TypeAll(w, "lo");
  world_.ClearLog();
  EXPECT_EQ(w.Key('A', kCtrl | kShift), S_OK);
  EXPECT_EQ(Status(), Texts{kDisabled});

  w.ClearPassedKeys();
  for (UINT key : {static_cast<UINT>('X'), static_cast<UINT>(VK_ESCAPE), static_cast<UINT>(VK_RETURN),
                   static_cast<UINT>(VK_BACK), static_cast<UINT>(VK_SPACE)})
    EXPECT_EQ(w.Key(key), S_FALSE) << "key 0x" << std::hex << key << " while switched off";
  EXPECT_EQ(Status(), Texts{kDisabled});
  EXPECT_TRUE(world_.LinkSearches().empty());
  EXPECT_EQ(w.PassedKeys().front(), "key 0x58");
  EXPECT_EQ(w.PassedKeys()[1], "char 'x'") << "the browser got the letter";

  EXPECT_EQ(w.Key('A', kCtrl | kShift), S_OK);
  EXPECT_EQ(Status(), (Texts{kDisabled, kEnabled}));
  EXPECT_EQ(w.Key('A'), S_OK);
  EXPECT_EQ(Selected(), L"loa") << "the search text went on where it was";
}

TEST_F(HostTest, EscWithEmptySearchTextIsUsedUpAndClears) {
  BrowserWindow& w = Open(Links({L"Home"}));
  EXPECT_EQ(w.Key(VK_ESCAPE), S_OK);
  EXPECT_EQ(Status(), Texts{kCleared});
  TypeAll(w, "ho");
  EXPECT_EQ(w.Key(VK_ESCAPE), S_OK);
  EXPECT_EQ(Status().back(), kCleared);
  EXPECT_EQ(w.Key('E'), S_OK);
  EXPECT_EQ(Selected(), L"e") << "Esc emptied the search text";
}

TEST_F(HostTest, EnterEmptiesTheSearchTextAndGoesToTheBrowser) {
  BrowserWindow& w = Open(Links({L"Download", L"Read me"}));
  TypeAll(w, "lo");
  world_.ClearLog();
  w.ClearPassedKeys();
  EXPECT_EQ(w.Key(VK_RETURN), S_FALSE);
  EXPECT_TRUE(Status().empty());
  EXPECT_EQ(w.PassedKeys().front(), "key 0x0D") << "the browser follows the focused link";
  EXPECT_EQ(w.Key('E'), S_OK);
  EXPECT_EQ(Selected(), L"e");
  EXPECT_EQ(SelectedIn(), "top/link 1");
}

struct BackspaceCase {
  const char* name;
  const char* typed;       // before the Backspace
  HRESULT result;
  Texts status;            // shown by the Backspace
  std::wstring selected;   // selected by it, or empty
  bool armsTimer;
};
void PrintTo(const BackspaceCase& c, std::ostream* os) { *os << c.name; }

const BackspaceCase kBackspaceCases[] = {
    {"EmptySearchText", "", S_FALSE, {}, L"", false},
    {"RemovesTheOnlyCharacter", "l", S_FALSE, {}, L"", true},
    {"SearchesTheShorterText", "lx", S_OK, {kFinding}, L"l", true},
};

class BackspaceTest : public HostTest, public ::testing::WithParamInterface<BackspaceCase> {};

TEST_P(BackspaceTest, Backspace) {
  const BackspaceCase& c = GetParam();
  BrowserWindow& w = Open(Links({L"Download"}));
  w.Type(c.typed);
  TakeIdleTimer();
  world_.ClearLog();
  EXPECT_EQ(w.Key(VK_BACK), c.result);
  EXPECT_EQ(Status(), c.status);
  if (c.selected.empty()) {
    EXPECT_TRUE(world_.Selections().empty());
    EXPECT_TRUE(world_.LinkSearches().empty()) << "no search";
  } else {
    EXPECT_EQ(Selected(), c.selected);
  }
  EXPECT_EQ(TakeIdleTimer(), c.armsTimer);
}

INSTANTIATE_TEST_SUITE_P(Cases, BackspaceTest, ::testing::ValuesIn(kBackspaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- text fields -------------------------------------------------------------------

PageSpec WithFocus(PageSpec page, const wchar_t* tag) {
  page.activeTag = tag;
  return page;
}

struct FieldCase {
  const char* name;
  PageSpec page;
  const char* document;  // where the text field is
};
void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

PageSpec Frameset(PageSpec first, PageSpec second) {
  PageSpec page = Links({L"Top link"});
  page.frames = {first, second};
  return page;
}

const FieldCase kFieldCases[] = {
    {"InputInPage", WithFocus(Links({L"Download"}), L"INPUT"), "top"},
    {"TextareaInPage", WithFocus(Links({L"Download"}), L"textarea"), "top"},
    {"InputInFrame", Frameset(Links({L"Download"}), WithFocus(Links({L"Other"}), L"input")), "frame 1"},
    {"TextareaInFrame", Frameset(WithFocus(Links({L"Download"}), L"TEXTAREA"), Links({L"Other"})), "frame 0"},
};

class TextFieldTest : public HostTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(TextFieldTest, KeyGoesToTheFieldButStillCounts) {
  const FieldCase& c = GetParam();
  BrowserWindow& w = Open(c.page);
  w.ClearPassedKeys();
  EXPECT_EQ(w.Key('L'), S_FALSE);
  EXPECT_TRUE(Status().empty()) << "no message while typing into a field";
  EXPECT_TRUE(world_.LinkSearches().empty()) << "no search";
  EXPECT_EQ(w.PassedKeys().back(), "char 'l'") << "the field gets the letter";
  EXPECT_TRUE(TakeIdleTimer()) << "the timer is armed all the same";

  world_.SetActiveTag(c.document, L"");
  EXPECT_EQ(w.Key('O'), S_OK);
  EXPECT_EQ(Selected(), L"lo") << "the letter typed into the field is part of the search text";
  EXPECT_EQ(w.Key('Z'), S_FALSE);
  EXPECT_EQ(Status().back(), kNotFound) << "a field visited once does not silence \"Not Found\"";
}

INSTANTIATE_TEST_SUITE_P(Fields, TextFieldTest, ::testing::ValuesIn(kFieldCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostTest, FrameWithoutDocumentKeepsTheKey) {
  PageSpec empty;
  empty.hasDocument = false;
  BrowserWindow& w = Open(Frameset(empty, Links({L"Download"})));
  EXPECT_EQ(w.Key('L'), S_FALSE);
  EXPECT_TRUE(Status().empty());
  EXPECT_TRUE(world_.LinkSearches().empty());
}

// --- matching and selecting ---------------------------------------------------------

struct MatchCase {
  const char* name;
  PageSpec page;
  const char* typed;
  const char* element;
  long start, end;
  std::wstring text;
  bool focused;
};
void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.name; }

PageSpec PlainLink(const wchar_t* text) {
  PageSpec page;
  page.links.push_back({text, false});
  return page;
}

const MatchCase kMatchCases[] = {
    {"LoadInDownload", Links({L"Home", L"Download"}), "load", "top/link 1", 4, 8, L"load", true},
    {"TypedWithShift", Links({L"about abc"}), "ABC", "top/link 0", 6, 9, L"abc", true},
    {"UpperCaseLinkText", Links({L"DOWNLOAD"}), "load", "top/link 0", 4, 8, L"LOAD", true},
    {"FirstOfTwoOccurrences", Links({L"cab cab"}), "ab", "top/link 0", 1, 3, L"ab", true},
    {"FirstMatchingLink", Links({L"Home", L"Upload", L"Download"}), "load", "top/link 1", 2, 6, L"load", true},
    {"Space", Links({L"Home", L"Read more"}), " ", "top/link 1", 4, 5, L" ", true},
    {"WholeText", Links({L"Home"}), "home", "top/link 0", 0, 4, L"Home", true},
    {"LinkWithoutAnchor", PlainLink(L"Download"), "load", "top/link 0", 4, 8, L"load", false},
};

class MatchTest : public HostTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(MatchTest, SelectsExactlyTheMatchAndFocusesTheLink) {
  const MatchCase& c = GetParam();
  BrowserWindow& w = Open(c.page);
  w.ClearPassedKeys();
  TypeAll(w, c.typed);
  ASSERT_FALSE(world_.Selections().empty());
  const Selection& s = world_.Selections().back();
  EXPECT_EQ(s.element, c.element);
  EXPECT_EQ(s.start, c.start);
  EXPECT_EQ(s.end, c.end);
  EXPECT_EQ(s.text, c.text);
  if (c.focused) {
    ASSERT_FALSE(world_.Focused().empty());
    EXPECT_EQ(world_.Focused().back(), c.element);
  } else {
    EXPECT_TRUE(world_.Focused().empty());
  }
  EXPECT_EQ(Status().back(), kFinding) << "the message stays after a match";
  EXPECT_TRUE(w.PassedKeys().empty()) << "used-up keys do not reach the browser";
}

INSTANTIATE_TEST_SUITE_P(Pages, MatchTest, ::testing::ValuesIn(kMatchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostTest, SpaceWithoutMatchGoesToTheBrowser) {
  BrowserWindow& w = Open(Links({L"Home", L"Download"}));
  w.ClearPassedKeys();
  EXPECT_EQ(w.Key(VK_SPACE), S_FALSE);
  EXPECT_EQ(Status(), (Texts{kFinding, kNotFound}));
  EXPECT_EQ(w.PassedKeys().front(), "key 0x20") << "the page may scroll";
}

TEST_F(HostTest, FramesAreSearchedBeforeThePage) {
  PageSpec page = Links({L"Top download", L"Top of page"});
  page.otherEmbeddings = 1;  // a plug-in, not a frame
  page.frames = {Links({L"Main frame"}), Links({L"Frame download"})};
  BrowserWindow& w = Open(page);
  TypeAll(w, "loa");
  world_.ClearLog();
  EXPECT_EQ(w.Key('D'), S_OK);
  EXPECT_EQ(SelectedIn(), "frame 1/link 0") << "the frame wins over the page";
  EXPECT_EQ(world_.LinkSearches(), (std::vector<std::string>{"frame 0", "frame 1"}));
  EXPECT_EQ(Status(), (Texts{kFinding, kFinding}));
  EXPECT_TRUE(Status("frame 0").empty()) << "messages go to the top browser";

  EXPECT_EQ(w.Key(VK_ESCAPE), S_OK);
  world_.ClearLog();
  TypeAll(w, "top");
  EXPECT_EQ(SelectedIn(), "top/link 0");
  EXPECT_EQ(world_.LinkSearches(),
            (std::vector<std::string>{"frame 0", "frame 1", "top", "frame 0", "frame 1", "top",
                                      "frame 0", "frame 1", "top"}));
}

TEST_F(HostTest, PageWithoutLinks) {
  BrowserWindow& w = Open(PageSpec());
  EXPECT_EQ(w.Key('A'), S_FALSE);
  EXPECT_EQ(Status(), (Texts{kFinding, kNotFound}));
}

TEST_F(HostTest, BrowserWithoutDocumentFindsNothing) {
  PageSpec page;
  page.hasDocument = false;
  BrowserWindow& w = Open(page);
  EXPECT_EQ(w.Key('A'), S_FALSE);
  EXPECT_EQ(Status(), Texts{kNotFound});
}

TEST_F(HostTest, FailingFrameEnumerationIsPassedBack) {
  PageSpec page = Links({L"Download"});
  page.enumResult = E_ACCESSDENIED;
  BrowserWindow& w = Open(page);
  EXPECT_EQ(w.Key('L'), E_ACCESSDENIED);
  EXPECT_TRUE(Status().empty());
}

struct IgnoredKey {
  const char* name;
  UINT key;
  unsigned modifiers;
};
void PrintTo(const IgnoredKey& c, std::ostream* os) { *os << c.name; }

const IgnoredKey kIgnoredKeys[] = {
    {"Tab", VK_TAB, 0},           {"Left", VK_LEFT, 0},   {"Down", VK_DOWN, 0},
    {"F1", VK_F1, 0},             {"Delete", VK_DELETE, 0}, {"CtrlL", 'L', kCtrl},
    {"CtrlShiftL", 'L', kCtrl | kShift}, {"ShiftAlone", VK_SHIFT, kShift},
};

class IgnoredKeyTest : public HostTest, public ::testing::WithParamInterface<IgnoredKey> {};

TEST_P(IgnoredKeyTest, PassedOnWithTheSearchTextUnchanged) {
  const IgnoredKey& c = GetParam();
  BrowserWindow& w = Open(Links({L"Download"}));
  TypeAll(w, "lo");
  world_.ClearLog();
  EXPECT_EQ(w.Key(c.key, c.modifiers), S_FALSE);
  EXPECT_TRUE(Status().empty());
  EXPECT_EQ(w.Key('A'), S_OK);
  EXPECT_EQ(Selected(), L"loa");
}

INSTANTIATE_TEST_SUITE_P(Keys, IgnoredKeyTest, ::testing::ValuesIn(kIgnoredKeys),
                         [](const auto& info) { return std::string(info.param.name); });

// --- the idle timer -------------------------------------------------------------------

TEST_F(HostTest, IdleTimerForgetsTheSearchTextAfterThreeSeconds) {
  BrowserWindow& w = Open(Links({L"Download", L"Daily"}));
  TypeAll(w, "do");
  const DWORD typed = GetTickCount();
  ASSERT_TRUE(zarvo_host::PumpUntil([&] { return Status().back() == kStopped; }, 6000));
  EXPECT_GE(GetTickCount() - typed, 2900u);
  zarvo_host::PumpMessages(300);
  EXPECT_EQ(Count(kStopped), 1) << "it fires once";
  EXPECT_EQ(w.Key('A'), S_OK);
  EXPECT_EQ(Selected(), L"a") << "the next letter starts a new search";
}

TEST_F(HostTest, PendingTimerOutlivesEnterEscAndTheSwitch) {
  BrowserWindow& w = Open(Links({L"Download"}));
  EXPECT_EQ(w.Key('D'), S_OK);
  EXPECT_EQ(w.Key(VK_RETURN), S_FALSE);
  EXPECT_EQ(w.Key(VK_ESCAPE), S_OK);
  EXPECT_EQ(w.Key('A', kCtrl | kShift), S_OK);
  ASSERT_TRUE(zarvo_host::PumpUntil([&] { return Status().back() == kStopped; }, 6000));
  EXPECT_EQ(Status(), (Texts{kFinding, kCleared, kDisabled, kStopped}));
}

TEST_F(HostTest, KeysBeforeStartAndAfterStopWorkWithoutTimer) {
  BrowserWindow& first = Open(Links({L"Download"}), false);
  BrowserWindow& second = Open(Links({L"Upload"}), true, "second");
  EXPECT_EQ(second.Stop(), 1);
  EXPECT_EQ(first.Key('L'), S_OK) << "before Start";
  EXPECT_EQ(second.Key('O'), S_OK) << "after Stop";
  EXPECT_EQ(Selected(), L"lo");
  EXPECT_TRUE(zarvo_host::MessageWindowsOfThread().empty());
  zarvo_host::PumpMessages(3500);
  EXPECT_EQ(Count(kStopped), 0);
  EXPECT_EQ(Count(kStopped, "second"), 0);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE)) << "no stray timer";
}

// --- the site and the shared search text -------------------------------------------------

class SetSiteTest : public HostTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SetSiteTest, EmptiesTheSearchText) {
  const bool toNull = GetParam();
  BrowserWindow& w = Open(Links({L"Download"}));
  TypeAll(w, "lo");
  w.SetSite(toNull ? nullptr : browser_);
  if (toNull) {
    world_.ClearLog();
    EXPECT_EQ(w.Key('X'), S_FALSE) << "without a site nothing is found";
    EXPECT_TRUE(world_.StatusLog().empty()) << "and nothing shown";
    EXPECT_EQ(w.Key(VK_ESCAPE), S_OK);
    w.SetSite(browser_);
  }
  EXPECT_EQ(w.Key('A'), S_OK);
  EXPECT_EQ(Selected(), L"a");
}

INSTANTIATE_TEST_SUITE_P(Sites, SetSiteTest, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "Null" : "Browser"); });

TEST_F(HostTest, TwoObjectsShareOneSearchText) {
  BrowserWindow& first = Open(Links({L"Download"}));
  BrowserWindow& second = Open(Links({L"Reload page"}), true, "second");
  TypeAll(first, "lo");
  EXPECT_EQ(second.Key('A'), S_OK);
  EXPECT_EQ(SelectedIn(), "second/link 0");
  EXPECT_EQ(Selected(), L"loa");
  EXPECT_EQ(second.Key(VK_ESCAPE), S_OK);
  EXPECT_EQ(first.Key('D'), S_OK);
  EXPECT_EQ(Selected(), L"D") << "Esc in one window emptied it for the other";
}

// --- COM: creation, identity, unloading -------------------------------------------------------

// {EEECEA9D-22D6-4BB6-809C-A7E83B6F2C36}
const IID kIID_ITNG = {0xeeecea9d, 0x22d6, 0x4bb6, {0x80, 0x9c, 0xa7, 0xe8, 0x3b, 0x6f, 0x2c, 0x36}};

TEST_F(HostTest, EveryInterfaceHasTheSameIdentity) {
  BrowserWindow& w = Open(Links({L"Home"}));
  const IID* answered[] = {&IID_IUnknown, &kIID_ITNG, &IID_IDispatch, &IID_IObjectWithSite,
                           &IID_IInputObject, &__uuidof(IHostPlugin)};
  for (const IID* iid : answered) {
    IUnknown* p = nullptr;
    ASSERT_EQ(w.Object()->QueryInterface(*iid, reinterpret_cast<void**>(&p)), S_OK);
    IUnknown* identity = nullptr;
    ASSERT_EQ(p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, w.Object());
    identity->Release();
    p->Release();
  }
  const IID* refused[] = {&IID_IClassFactory, &IID_IPersist, &IID_IOleObject, &IID_IOleWindow};
  for (const IID* iid : refused) {
    void* p = reinterpret_cast<void*>(1);
    EXPECT_EQ(w.Object()->QueryInterface(*iid, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
  }
}

class ProgIdTest : public HostTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ProgIdTest, CreatesTheObject) {
  windows_.push_back(std::make_unique<BrowserWindow>());
  BrowserWindow& w = *windows_.back();
  ASSERT_EQ(w.CreateByProgId(GetParam()), S_OK);
  w.SetSite(world_.Build(Links({L"Download"})));
  w.Start();
  EXPECT_EQ(w.Key('L'), S_OK);
}

INSTANTIATE_TEST_SUITE_P(ProgIds, ProgIdTest, ::testing::Values("Quennel.TNG", "Quennel.TNG.1"),
                         [](const auto& info) {
                           return std::string(info.param) == "Quennel.TNG" ? "VersionIndependent" : "Versioned";
                         });

TEST_F(HostTest, DllCanUnloadNowFollowsObjectsAndLocks) {
  BrowserWindow& w = Open(Links({L"Home"}));
  HMODULE dll = GetModuleHandleA("Quennel.dll");
  ASSERT_NE(dll, nullptr);
  auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  ASSERT_NE(canUnload, nullptr);
  EXPECT_EQ(canUnload(), S_FALSE) << "an object lives";
  w.Close();
  EXPECT_EQ(canUnload(), S_OK) << "after the last release";

  IClassFactory* factory = nullptr;
  ASSERT_EQ(CoGetClassObject(zarvo_host::kClsidTng, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             reinterpret_cast<void**>(&factory)),
            S_OK);
  EXPECT_EQ(canUnload(), S_OK) << "holding the factory does not lock the module";
  factory->LockServer(TRUE);
  EXPECT_EQ(canUnload(), S_FALSE);
  factory->LockServer(FALSE);
  EXPECT_EQ(canUnload(), S_OK);
  factory->Release();
}

TEST_F(HostTest, ConfigureShowsItsBox) {
  testkit::Process host = testkit::Start(ZARVO_HOST_EXE, "configure");
  ASSERT_TRUE(host.Started());
  HWND box = uidriver::WaitForMessageBox(15000, host.Id());
  ASSERT_NE(box, nullptr);
  uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
  EXPECT_EQ(info.title, "Thanks");
  EXPECT_EQ(info.text, "No config currently");
  EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
  EXPECT_TRUE(host.Running()) << "Configure waits for the box";
  uidriver::PressButton(box, IDOK);
  ASSERT_TRUE(host.WaitExit(10000));
  DWORD code = 1;
  GetExitCodeProcess(host.Handle(), &code);
  EXPECT_EQ(code, 0u) << "Configure returned 1";
}

}  // namespace
