#include "marlock_e2e.h"

namespace marlock_e2e {

std::string MarlockExe() { return testkit::WinPath(MARLOCK_EXE); }

Install NewInstall(const std::string& sTag) {
  Install in;
  in.dir = testkit::NewScratchDir(sTag);
  in.exe = testkit::CopyInto(MarlockExe(), in.dir, "Marlock.exe");
  in.settingsFile = in.dir + "\\FTPSetup.ini";
  in.siteFile = in.dir + "\\FTPData.db";
  in.client = testkit::CopyInto(testkit::RecordingClientExe(), in.dir, "ftpclient.exe");
  in.recordFile = in.dir + "\\received.txt";
  return in;
}

testkit::Process Install::Run(const std::string& sArguments) const {
  return testkit::Start(exe, sArguments, dir, {"ZARVO_RECORD_FILE=" + recordFile});
}

void Install::WriteSettings(const std::string& sText) const {
  testkit::WriteFileBytes(settingsFile, sText);
}

void Install::Configure(int iClient, const std::string& sExtraMain,
                        const std::string& sSections) const {
  WriteSettings("[Main]\r\nFTPType=" + std::to_string(iClient) + "\r\nEXEName=" + client +
                "\r\nDefaultDir=" + dir + "\r\n" + sExtraMain + sSections);
}

std::vector<testkit::Received> Install::Received(size_t iCount, unsigned uTimeoutMs) const {
  return testkit::WaitForReceived(recordFile, iCount, uTimeoutMs);
}

}  // namespace marlock_e2e
