// A scratch installation of Marlock for end-to-end tests: a copy of the real
// Marlock.exe in a folder of its own, where its FTPSetup.ini and FTPData.db
// live, and a recording client that stands in for the FTP client.
#pragma once
#include <string>
#include <vector>

#include "testkit.h"
#include "uidriver.h"

namespace marlock_e2e {

struct Install {
  std::string dir;           // the folder of the copy
  std::string exe;           // ...\Marlock.exe
  std::string settingsFile;  // ...\FTPSetup.ini
  std::string siteFile;      // ...\FTPData.db
  std::string client;        // a recording client copied into the folder
  std::string recordFile;    // where the client writes what it received

  // Starts this copy of Marlock with the argument text; the recording
  // client started by it writes to recordFile.
  testkit::Process Run(const std::string& sArguments) const;
  // Writes FTPSetup.ini as raw text.
  void WriteSettings(const std::string& sText) const;
  // Configures Marlock for client iClient with the recording client as its
  // executable; sExtra is appended to section Main ("Key=Value\r\n" lines),
  // sSections after it.
  void Configure(int iClient, const std::string& sExtraMain = "",
                 const std::string& sSections = "") const;
  std::vector<testkit::Received> Received(size_t iCount = 1, unsigned uTimeoutMs = 10000) const;
};

Install NewInstall(const std::string& sTag);

// The path of the built Marlock.exe.
std::string MarlockExe();

}  // namespace marlock_e2e
