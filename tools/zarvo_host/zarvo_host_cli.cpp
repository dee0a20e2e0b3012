// zarvo_host.exe: the host simulator as a command, to see Quennel at work.
//
//   zarvo_host register <Quennel.dll>     regsvr32 /s
//   zarvo_host unregister <Quennel.dll>   regsvr32 /s /u
//   zarvo_host configure [--progid]       Configure (shows its message box)
//   zarvo_host demo [options] <keys>      types keys into a substitute page
//     --dll <Quennel.dll>   registers this file first
//     --links "a|b|c"       the page's link texts
//     --frame "a|b"         a frame with these link texts (may be repeated)
//     --focus <TAG>         the tag of the page's element with the focus
//     --progid              creates the object by ProgID instead of CLSID
//     --wait                waits 3.5 s at the end, so the idle timer fires
//   keys: characters as typed, and {ESC} {ENTER} {BACK} {TAB} {CTRL+SHIFT+A}
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "substitutes.h"
#include "zarvo_host.h"

namespace {

std::vector<std::wstring> SplitLinks(const char* s) {
  std::vector<std::wstring> out;
  std::string text(s);
  size_t start = 0;
  for (;;) {
    size_t bar = text.find('|', start);
    std::string part = text.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    wchar_t wide[1024] = {};
    MultiByteToWideChar(CP_ACP, 0, part.c_str(), -1, wide, 1024);
    out.push_back(wide);
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return out;
}

std::string Shown(const std::string& s) {
  std::string out = "\"";
  for (char c : s) out += c == '\n' ? std::string("\\n") : std::string(1, c);
  return out + "\"";
}

std::string Narrow(const std::wstring& w) {
  char buf[4096] = {};
  WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, buf, sizeof buf, nullptr, nullptr);
  return buf;
}

const char* ResultName(HRESULT hr) {
  if (hr == S_OK) return "S_OK (used up)";
  if (hr == S_FALSE) return "S_FALSE (passed on)";
  static char buf[32];
  std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(hr));
  return buf;
}

struct Step {
  std::string name;
  UINT vk = 0;
  unsigned mods = 0;
};

std::vector<Step> ParseKeys(const std::string& keys) {
  std::vector<Step> steps;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == '{') {
      size_t close = keys.find('}', i);
      if (close != std::string::npos) {
        std::string name = keys.substr(i + 1, close - i - 1);
        Step s{"{" + name + "}"};
        if (name == "ESC") s.vk = VK_ESCAPE;
        else if (name == "ENTER") s.vk = VK_RETURN;
        else if (name == "BACK") s.vk = VK_BACK;
        else if (name == "TAB") s.vk = VK_TAB;
        else if (name == "CTRL+SHIFT+A") { s.vk = 'A'; s.mods = zarvo_host::kCtrl | zarvo_host::kShift; }
        if (s.vk) {
          steps.push_back(s);
          i = close;
          continue;
        }
      }
    }
    SHORT scan = VkKeyScanA(keys[i]);
    if (scan == -1) continue;
    Step s{std::string("'") + keys[i] + "'", static_cast<UINT>(LOBYTE(scan)), 0};
    if (scan & 0x100) s.mods |= zarvo_host::kShift;
    steps.push_back(s);
  }
  return steps;
}

int Usage() {
  std::fprintf(stderr,
               "usage: zarvo_host register|unregister <Quennel.dll>\n"
               "       zarvo_host configure [--progid]\n"
               "       zarvo_host demo [--dll <Quennel.dll>] [--links \"a|b\"] [--frame \"a|b\"]...\n"
               "                       [--focus TAG] [--progid] [--wait] <keys>\n");
  return 2;
}

void PrintNew(const substitutes::World& world, size_t& status, size_t& selections, size_t& focus) {
  const auto& log = world.StatusLog();
  for (; status < log.size(); ++status)
    std::printf("  status on %s: %s\n", log[status].browser.c_str(), Shown(Narrow(log[status].text)).c_str());
  const auto& sel = world.Selections();
  for (; selections < sel.size(); ++selections)
    std::printf("  selected %s, characters %ld to %ld: %s\n", sel[selections].element.c_str(),
                sel[selections].start + 1, sel[selections].end, Shown(Narrow(sel[selections].text)).c_str());
  const auto& foc = world.Focused();
  for (; focus < foc.size(); ++focus) std::printf("  focus on %s\n", foc[focus].c_str());
}

int Demo(int argc, char** argv) {
  substitutes::PageSpec page = substitutes::Links({L"Home", L"Download", L"Downloads archive", L"Contact"});
  bool byProgId = false, wait = false;
  std::string keys;
  for (int i = 2; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--dll" && i + 1 < argc) {
      if (!zarvo_host::EnsureRegistered(argv[++i])) {
        std::fprintf(stderr, "could not register %s\n", argv[i]);
        return 1;
      }
    } else if (a == "--links" && i + 1 < argc) {
      page.links.clear();
      for (auto& t : SplitLinks(argv[++i])) page.links.push_back({t, true});
    } else if (a == "--frame" && i + 1 < argc) {
      substitutes::PageSpec frame;
      for (auto& t : SplitLinks(argv[++i])) frame.links.push_back({t, true});
      page.frames.push_back(frame);
    } else if (a == "--focus" && i + 1 < argc) {
      wchar_t tag[64] = {};
      MultiByteToWideChar(CP_ACP, 0, argv[++i], -1, tag, 64);
      page.activeTag = tag;
    } else if (a == "--progid") {
      byProgId = true;
    } else if (a == "--wait") {
      wait = true;
    } else {
      keys = a;
    }
  }

  substitutes::World world;
  IUnknown* browser = world.Build(page);
  size_t status = 0, selections = 0, focus = 0;
  {
    zarvo_host::BrowserWindow window;
    HRESULT hr = byProgId ? window.CreateByProgId() : window.CreateByClsid();
    if (FAILED(hr)) {
      std::fprintf(stderr, "could not create the TNG object: 0x%08lX (is Quennel.dll registered?)\n",
                   static_cast<unsigned long>(hr));
      return 1;
    }
    window.SetSite(browser);
    window.Start();
    for (const Step& s : ParseKeys(keys)) {
      HRESULT r = window.Key(s.vk, s.mods);
      std::printf("key %s: %s\n", s.name.c_str(), ResultName(r));
      PrintNew(world, status, selections, focus);
    }
    if (wait) {
      std::printf("waiting 3.5 s\n");
      zarvo_host::PumpMessages(3500);
      PrintNew(world, status, selections, focus);
    }
    window.Close();
  }
  std::vector<std::string> left = world.Unreleased();
  for (const std::string& l : left) std::printf("unreleased: %s\n", l.c_str());
  return left.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string command = argv[1];
  if ((command == "register" || command == "unregister") && argc == 3) {
    int code = zarvo_host::RunRegsvr32(argv[2], command == "unregister");
    std::printf("regsvr32 %s: exit code %d\n", command.c_str(), code);
    return code == 0 ? 0 : 1;
  }
  CoInitialize(nullptr);
  int result = 2;
  if (command == "configure") {
    zarvo_host::BrowserWindow window;
    bool byProgId = argc > 2 && std::strcmp(argv[2], "--progid") == 0;
    HRESULT hr = byProgId ? window.CreateByProgId() : window.CreateByClsid();
    if (FAILED(hr)) {
      std::fprintf(stderr, "could not create the TNG object: 0x%08lX\n", static_cast<unsigned long>(hr));
      result = 1;
    } else {
      int32_t r = window.Configure();
      std::printf("Configure returned %d\n", static_cast<int>(r));
      window.Close();
      result = r == 1 ? 0 : 1;
    }
  } else if (command == "demo") {
    result = Demo(argc, argv);
  } else {
    result = Usage();
  }
  CoUninitialize();
  return result;
}
