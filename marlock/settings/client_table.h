// The twelve FTP clients Marlock can start, and FlashFXP's "After done" list.
// The launcher and the settings dialog share these tables.
#pragma once
#include <cstddef>

namespace marlock {

enum ClientIndex : int {
  kFlashFXP = 0,
  kCuteFtpXp = 1,
  kCuteFtpPro = 2,
  kWsFtpPro = 3,
  kLeapFtp = 4,
  kFtpVoyager = 5,
  kBulletProofFtp = 6,
  kCrystalFtpPro = 7,
  kAceFtp = 8,
  kSmartFtp = 9,
  kFileZilla = 10,
  kTurboFtp = 11,
};

inline constexpr int kClientCount = 12;
// "FTPType" holds 255 until Marlock is configured.
inline constexpr int kNotConfigured = 255;

struct ClientType {
  int index;
  const char* listEntry;          // the settings dialog's client list
  const char* filterDescription;  // open-file dialog filter
  const char* filterPattern;
  const char* optionsSection;     // nullptr: the client has no options
  const char* frameCaption;       // caption of its options frame
  bool miniAvailable;             // chkMini enabled (and "OpenMini" saved)
  bool downFileAvailable;         // chkDownFile enabled
};

// Index 0 to 11; nullptr for any other index.
const ClientType* FindClientType(int iIndex);
const ClientType& ClientTypeAt(int iIndex);  // iIndex must be 0 to 11

inline constexpr size_t kAfterDoneCount = 8;
extern const char* const kAfterDoneEntries[kAfterDoneCount];

}  // namespace marlock
