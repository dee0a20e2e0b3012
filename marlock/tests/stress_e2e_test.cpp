// Many Marlocks at once, as Zarvo starts them when the user opens links in
// quick succession: 200 launches of the real Marlock.exe, eight at a time,
// against one FTPSetup.ini and one FTPData.db. Some links carry their login,
// some find it saved, some are asked for it and have it remembered, and
// later links find what those remembered. Every launch must reach its
// client with the right command line, both files must stay whole, and every
// saved site must be there afterwards.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "ini_text.h"
#include "marlock_e2e.h"
#include "sitestore/ini_file_store.h"
#include "sitestore/site_file.h"

namespace {

constexpr int kLaunches = 200;
constexpr int kBatch = 8;
constexpr int kPresaved = 20;
constexpr const char* kPromptCaption = "Login into FTP Site";

// What a launch is about.
enum class Kind {
  LoginInLink,   // the link carries user name and password
  Presaved,      // a site saved before the run
  Prompted,      // nothing known: the prompt asks, the login is remembered
  SavedByPrompt, // a site remembered by an earlier prompted launch
  Anonymous,     // nothing known: the prompt is answered "Anonymous login"
};

struct Launch {
  Kind kind;
  std::string host;
  std::string link;
  std::string user, password;  // the login the link carries, finds or is given
  bool clientGetsLogin = true;
  std::string port;            // in the client's " -s" link
  std::string remote;          // remote directory and file name
  testkit::Process process;
  bool prompted = false;
  bool done = false;
};

std::string Index(int i) {
  char text[8];
  std::snprintf(text, sizeof text, "%03d", i);
  return text;
}

// Launch i of the run. The kinds take turns; a launch that is to find a
// prompted site refers to one at least two batches back.
Launch Plan(int i) {
  Launch l;
  const std::string n = Index(i);
  switch (i % 5) {
    case 0:
      l.kind = Kind::LoginInLink;
      l.host = "link" + n + ".example.org";
      l.user = "u" + n;
      l.password = "p@ss " + n;
      l.link = "ftp://" + l.user + ":" + l.password + "@" + l.host + ":2121/pub/file" + n + ".zip";
      l.port = "2121";
      l.remote = "/pub/file" + n + ".zip";
      return l;
    case 1:
      l.kind = Kind::Presaved;
      l.host = "saved" + Index(i / 5 % kPresaved) + ".example.org";
      l.user = "saved" + Index(i / 5 % kPresaved);
      l.password = "secret " + Index(i / 5 % kPresaved);
      l.link = "ftp://" + l.host + "/run" + n + "/";
      l.remote = "/run" + n + "/";
      return l;
    case 2:
      l.kind = Kind::Prompted;
      l.host = "asked" + n + ".example.org";
      l.user = "asked" + n;
      l.password = "typed " + n;
      l.link = "ftp://" + l.host + "/incoming/" + n + "/";
      l.port = "21";  // the prompt sets the port of a link without one
      l.remote = "/incoming/" + n + "/";
      return l;
    default:
      break;
  }
  if (i % 5 == 3 && i >= 21) {
    l.kind = Kind::SavedByPrompt;
    const std::string m = Index(i - 21);  // a prompted launch two batches back or more
    l.host = "asked" + m + ".example.org";
    l.user = "asked" + m;
    l.password = "typed " + m;
    l.link = "ftp://" + l.host + "/again" + n + "/";
    l.remote = "/again" + n + "/";
    return l;
  }
  l.kind = Kind::Anonymous;
  l.clientGetsLogin = false;
  l.host = "anon" + n + ".example.org";
  l.link = "ftp://" + l.host + "/pub/" + n + "/readme.txt";
  l.remote = "/pub/" + n + "/readme.txt";
  return l;
}

// WS_FTP Pro's parameters for a launch, as the client gets them.
std::string ExpectedParameters(const Launch& l, const std::string& sDir) {
  std::string args;
  if (l.clientGetsLogin) args += " -u " + l.user + " -w " + l.password;
  args += " -d local:" + sDir + " -s ftp://" + l.host;
  if (!l.port.empty()) args += ":" + l.port;
  return args + l.remote;
}

// The login prompt of a process, once it is up with its controls; fills it
// in and presses OK. False while it is not (yet) there.
bool AnswerPrompt(DWORD dwProcessId, const std::string& sUser, const std::string& sPassword,
                  bool bAnonymous) {
  HWND dialog = nullptr;
  for (HWND h : uidriver::TopWindowsOfProcess(dwProcessId))
    if (IsWindowVisible(h) && uidriver::GetText(h) == kPromptCaption) dialog = h;
  if (!dialog) return false;
  int userId = 0, passId = 0, okId = 0, anonymousId = 0, rememberId = 0;
  for (const uidriver::ControlInfo& c : uidriver::ListControls(dialog)) {
    if (_stricmp(c.className.c_str(), "Edit") == 0) {
      ((c.style & ES_PASSWORD) ? passId : userId) = c.id;
    } else if (c.text == "OK") {
      okId = c.id;
    } else if (c.text == "&Anonymous login") {
      anonymousId = c.id;
    } else if (c.text.rfind("&Remember it", 0) == 0) {
      rememberId = c.id;
    }
  }
  if (!userId || !passId || !okId || !anonymousId || !rememberId) return false;
  if (bAnonymous) {
    uidriver::ClickControl(dialog, anonymousId);
  } else {
    uidriver::SetControlText(dialog, userId, sUser);
    uidriver::SetControlText(dialog, passId, sPassword);
    if (uidriver::GetCheck(dialog, rememberId) != BST_CHECKED)
      uidriver::ClickControl(dialog, rememberId);
  }
  uidriver::ClickControl(dialog, okId);
  return true;
}

TEST(Stress, TwoHundredLaunchesEightAtATimeShareTheirFiles) {
  auto in = marlock_e2e::NewInstall("stress");
  const std::string settingsText = "[Main]\r\nFTPType=3\r\nEXEName=" + in.client +
                                   "\r\nDefaultDir=" + in.dir +
                                   "\r\nPromptPass=1\r\nOpenMini=0\r\nUseIE=0\r\n"
                                   "UseDownManager=0\r\n[WSFTPPro]\r\nQuiet=0\r\n";
  in.WriteSettings(settingsText);

  // The sites the run expects in FTPData.db at the end: section -> login.
  std::map<std::string, std::pair<std::string, std::string>> expectedSites;
  marlock::IniFileStore sites(in.siteFile);
  for (int k = 0; k < kPresaved; ++k) {
    const std::string host = "saved" + Index(k) + ".example.org";
    marlock::SaveSite(sites, host, "21", "saved" + Index(k), "secret " + Index(k));
    expectedSites[marlock::SiteSection(host, "21")] = {"saved" + Index(k), "secret " + Index(k)};
  }

  std::vector<Launch> launches;
  for (int i = 0; i < kLaunches; ++i) launches.push_back(Plan(i));
  for (const Launch& l : launches)
    if (l.kind == Kind::Prompted) expectedSites[marlock::SiteSection(l.host, "21")] = {l.user, l.password};

  // The prompted launches are answered in the login prompt window; the
  // launches that look their sites up come two batches later.
  int prompts = 0, unexpectedPrompts = 0, messages = 0, hangs = 0, crashes = 0;

  for (int first = 0; first < kLaunches; first += kBatch) {
    const int last = std::min(first + kBatch, kLaunches);
    for (int i = first; i < last; ++i) {
      launches[i].process = in.Run("-u=" + launches[i].link);
      ASSERT_TRUE(launches[i].process.Started()) << "launch " << i;
    }
    const DWORD start = GetTickCount();
    for (bool pending = true; pending;) {
      pending = false;
      for (int i = first; i < last; ++i) {
        Launch& l = launches[i];
        if (l.done) continue;
        if (HWND box = uidriver::WaitForMessageBox(0, l.process.Id())) {
          const uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
          ADD_FAILURE() << "launch " << i << " (" << l.link << ") showed \"" << info.text << "\"";
          ++messages;
          uidriver::PressButton(box, IDOK);
        }
        if (!l.prompted) {
          const bool bEnter = l.kind == Kind::Prompted;
          if (AnswerPrompt(l.process.Id(), l.user, l.password, !bEnter)) {
            l.prompted = true;
            ++prompts;
            if (!bEnter && l.kind != Kind::Anonymous) {
              ++unexpectedPrompts;
              ADD_FAILURE() << "launch " << i << " (" << l.link << ") was asked for a login"
                            << " that should have been found";
            }
          }
        }
        if (l.process.WaitExit(0)) {
          l.done = true;
          DWORD code = 0;
          GetExitCodeProcess(l.process.Handle(), &code);
          if (code != 0) {
            ++crashes;
            ADD_FAILURE() << "launch " << i << " ended with code 0x" << std::hex << code;
          }
          continue;
        }
        if (GetTickCount() - start > 90000) {
          ++hangs;
          ADD_FAILURE() << "launch " << i << " (" << l.link << ") still runs after 90 s";
          l.process.Kill();
          l.done = true;
          continue;
        }
        pending = true;
      }
      if (pending) Sleep(20);
    }
  }
  int promptedSites = 0;
  for (const Launch& l : launches) {
    if (l.kind != Kind::Prompted) continue;
    EXPECT_TRUE(l.prompted) << l.link << " was not asked for its login";
    if (l.prompted) ++promptedSites;
  }

  // One record per launch, with the right command line.
  const size_t expectedRecords = static_cast<size_t>(kLaunches);
  std::vector<testkit::Received> got = in.Received(expectedRecords, 30000);
  std::map<std::string, int> recordsPerLink;
  for (const testkit::Received& r : got) ++recordsPerLink[r.commandLine];
  int launchesWithOneRecord = 0;
  for (const Launch& l : launches) {
    const std::string line = "\"" + in.client + "\" " + ExpectedParameters(l, in.dir);
    const int n = recordsPerLink[line];
    if (n == 1) ++launchesWithOneRecord;
    EXPECT_EQ(n, 1) << "records of the client for " << l.link << "\n  expected " << line;
  }
  EXPECT_EQ(got.size(), expectedRecords);

  // Both files whole: the settings file as written, the site file with
  // every expected section once, every key in place.
  const std::string settingsAfter = testkit::ReadFileBytes(in.settingsFile);
  EXPECT_EQ(settingsAfter, settingsText) << "nobody writes FTPSetup.ini during launches";
  const initext::File settingsParsed = initext::Parse(settingsAfter);
  EXPECT_TRUE(settingsParsed.malformed.empty());
  EXPECT_EQ(initext::Value(settingsParsed, "Main", "FTPType"), "3");

  const initext::File siteParsed = initext::Parse(testkit::ReadFileBytes(in.siteFile));
  EXPECT_TRUE(siteParsed.malformed.empty()) << "first malformed line: " << siteParsed.malformed.front();
  EXPECT_TRUE(siteParsed.duplicates.empty()) << "a section twice: " << siteParsed.duplicates.front();
  int sitesPresent = 0;
  for (const auto& [section, login] : expectedSites) {
    const std::string host = section.substr(0, section.rfind('_'));
    const bool whole = initext::Value(siteParsed, section, "Host") == host &&
                       initext::Value(siteParsed, section, "Port") == "21" &&
                       initext::Value(siteParsed, section, "UserName") == login.first &&
                       marlock::ReadSavedPassword(sites, section) == login.second;
    if (whole) ++sitesPresent;
    EXPECT_TRUE(whole) << "saved site " << section << " missing or changed";
  }
  EXPECT_EQ(siteParsed.sections.size(), expectedSites.size()) << "no other sections";

  std::printf("FIGURES stress: %d launches in batches of %d: %d reached their client with the right "
              "command line (%d records), %d login prompts answered, %d unexpected prompts, "
              "%d messages, %d crashes, %d hangs; FTPSetup.ini %s, FTPData.db %s, "
              "%d of %d saved sites present (%d remembered through the prompt)\n",
              kLaunches, kBatch, launchesWithOneRecord, static_cast<int>(got.size()), prompts,
              unexpectedPrompts, messages, crashes, hangs,
              settingsAfter == settingsText ? "unchanged" : "CHANGED",
              siteParsed.malformed.empty() && siteParsed.duplicates.empty() ? "well-formed" : "BROKEN",
              sitesPresent, static_cast<int>(expectedSites.size()), promptedSites);
  std::fflush(stdout);
}

// Several processes saving sites into one file at the same moment, as
// Marlocks whose login prompts are answered together do: every site of
// every process must be there afterwards, whole.
TEST(Stress, SitesSavedByEightProcessesAtOnceAreAllKept) {
  const std::string dir = testkit::NewScratchDir("stress-sites");
  const std::string file = dir + "\\FTPData.db";
  constexpr int kProcesses = 8, kSites = 25;
  std::vector<testkit::Process> writers;
  for (int p = 0; p < kProcesses; ++p)
    writers.push_back(testkit::Start(SITE_WRITER_EXE, "\"" + file + "\" w" + std::to_string(p) + " " +
                                                          std::to_string(kSites)));
  for (testkit::Process& w : writers) ASSERT_TRUE(w.WaitExit(60000));

  marlock::IniFileStore sites(file);
  const initext::File parsed = initext::Parse(testkit::ReadFileBytes(file));
  int present = 0;
  for (int p = 0; p < kProcesses; ++p) {
    const std::string tag = "w" + std::to_string(p);
    for (int n = 0; n < kSites; ++n) {
      const std::string host = tag + "-" + std::to_string(n) + ".example";
      const std::string section = marlock::SiteSection(host, "21");
      const bool whole = initext::Value(parsed, section, "Host") == host &&
                         initext::Value(parsed, section, "Port") == "21" &&
                         initext::Value(parsed, section, "UserName") == "user-" + tag &&
                         marlock::ReadSavedPassword(sites, section) ==
                             "pw " + tag + " " + std::to_string(n);
      if (whole) ++present;
    }
  }
  EXPECT_EQ(present, kProcesses * kSites);
  EXPECT_TRUE(parsed.malformed.empty());
  EXPECT_TRUE(parsed.duplicates.empty());
  std::printf("FIGURES stress (site file): %d processes saving %d sites each at once: %d of %d "
              "sites present and whole afterwards\n",
              kProcesses, kSites, present, kProcesses * kSites);
  std::fflush(stdout);
}

}  // namespace
