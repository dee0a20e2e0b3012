// FTPData.db, Marlock's file of saved sites: one section per host and port,
// named host "_" port, with the keys "Host", "Port", "UserName" and
// "Password" (scrambled). Portable: works on any ProfileStore.
#pragma once
#include <string>

#include "launcher/ftp_link.h"
#include "sitestore/profile_store.h"

namespace marlock {

namespace sitekeys {
inline constexpr const char* kHost = "Host";
inline constexpr const char* kPort = "Port";
inline constexpr const char* kUserName = "UserName";
inline constexpr const char* kPassword = "Password";
// The scrambled password once more, as hexadecimal digits. "Password" alone
// loses characters on the way through the profile functions (a scrambled
// line feed, carriage return or NUL, blanks and quotes at either end, more
// than 255 characters); this key keeps every byte. Readers prefer it when it
// is there and belongs to the "Password" beside it.
inline constexpr const char* kPasswordHex = "PasswordHex";
// What a lookup gets back when a section holds no saved login.
inline constexpr const char* kNoSavedLogin = "SSSXXXAAA";
}  // namespace sitekeys

// The section of a site: host, "_", port, nothing trimmed or changed.
std::string SiteSection(const std::string& sHost, const std::string& sPort);

// The site's login, saved by the login prompt and the site editor: "Host",
// "Port", "UserName" and "Password" in this order, then "PasswordHex". The
// results of the writes are not examined.
void SaveSite(ProfileStore& sites, const std::string& sHost, const std::string& sPort,
              const std::string& sUserName, const std::string& sPassword);
// The same into a given section: the site editor writes an edited site back
// into the section it was read from.
void SaveSiteInSection(ProfileStore& sites, const std::string& sSection, const std::string& sHost,
                       const std::string& sPort, const std::string& sUserName,
                       const std::string& sPassword);

// The password saved in a section, in clear: from "PasswordHex" when it is
// there and matches "Password", else unscrambled from "Password" (an absent
// password is the empty one).
std::string ReadSavedPassword(ProfileStore& sites, const std::string& sSection);

// For a link without user name: fills UserName and Password from the site
// saved for its host and port ("21" when the link has none), or empties
// both when none is saved. A link with a user name is left alone.
void LookupSavedLogin(FtpLink& link, ProfileStore& sites);

// The "Password" value as it is written: the scrambled text, with every
// character that would break the file's lines or end the value early (line
// feed, carriage return, NUL) stored as code 1, which reads back as ".".
std::string StoredPasswordText(const std::string& sPassword);

// Hexadecimal digits of bytes, and back; false for text that is not an even
// number of hexadecimal digits.
std::string HexOf(const std::string& sBytes);
bool BytesOfHex(const std::string& sHex, std::string& sBytes);

}  // namespace marlock
