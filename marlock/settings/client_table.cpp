#include "settings/client_table.h"

namespace marlock {

namespace {

const ClientType kClients[kClientCount] = {
    {0, "FlashFXP", "FlashFXP(flashfxp.exe)", "FlashFXP.exe", "FlashFXP2",
     "FlashFXP Setting:", true, true},
    {1, "CuteFTP XP", "CuteFTP XP(cutftp32.exe)", "cutftp32.exe", "CuteFTP",
     "CuteFTP XP Setting:", true, true},
    {2, "CuteFTP Pro 3.0/3.1", "CuteFTP Pro 3.0/3.1(cftppro.exe)", "cftppro.exe", nullptr,
     "CuteFTP Pro Setting:", false, false},
    {3, "WS_FTP Pro", "WS_FTP Pro(wsftppro.exe)", "wsftppro.exe", "WSFTPPro",
     "WS_FTP Pro Settings:", true, true},
    {4, "LeapFTP", "LeapFTP(leapftp.exe)", "leapftp.exe", "LeapFTP", "LeapFTP Setting:",
     true, true},
    {5, "FTP Voyager", "FTP Voyager(FTPVoyager.exe)", "FTPVoyager.exe", "Voyager",
     "FTP Voyager Setting:", true, true},
    {6, "Bullet Proof FTP", "Bullet Proof FTP(bpftp*.exe)", "bpftp*.exe", "Bullet",
     "Bullet Proof FTP Setting:", true, true},
    {7, "Crystal FTP Pro 2.8", "Crystal FTP Pro(crystalftp.exe)", "crystalftp.exe", nullptr,
     "Crystal FTP Pro Setting:", false, true},
    {8, "Ace FTP/Ace FTP Pro", "Ace FTP/Ace FTP Pro(aceftp.exe)", "aceftp.exe", nullptr,
     "Ace FTP Setting:", false, true},
    {9, "SmartFTP", "SmartFTP(smartftp.exe)", "smartftp.exe", nullptr, "SmartFTP Setting:",
     true, true},
    {10, "FileZilla", "FileZilla(filezilla.exe)", "filezilla.exe", nullptr,
     "FileZilla Options:", true, true},
    {11, "TurboFTP", "TurboFTP(TurboFTP.exe)", "TurboFTP.exe", nullptr, "TurboFTP Settings:",
     true, true},
};

}  // namespace

const char* const kAfterDoneEntries[kAfterDoneCount] = {
    "Do nothing",
    "Disconnect site(s)",
    "Quit FlashFXP",
    "Hang up",
    "Hang up and exit",
    "Hang up and turn off computer",
    "Turn off computer",
    "Log off computer",
};

const ClientType* FindClientType(int iIndex) {
  if (iIndex < 0 || iIndex >= kClientCount) return nullptr;
  return &kClients[iIndex];
}

const ClientType& ClientTypeAt(int iIndex) { return kClients[iIndex]; }

}  // namespace marlock
