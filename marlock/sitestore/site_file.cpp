#include "sitestore/site_file.h"

#include "sitestore/scramble.h"

namespace marlock {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The profile functions trim blanks from both ends of a value and drop a
// pair of quotes around it (which characters count as blanks varies a
// little between platforms). To see whether a "Password" read back belongs
// to the hexadecimal password beside it, both are compared without any such
// character at their ends.
bool IsEdgeCharacter(char c) {
  switch (c) {
    case ' ': case '\t': case '\v': case '\f': case '\r': case '\n': case '\x1a':
    case '"': case '\'':
      return true;
    default:
      return false;
  }
}

std::string WithoutEdges(const std::string& s) {
  size_t from = 0, to = s.size();
  while (from < to && IsEdgeCharacter(s[from])) ++from;
  while (to > from && IsEdgeCharacter(s[to - 1])) --to;
  return s.substr(from, to - from);
}

// True when sReadBack is what the profile functions give back for a
// "Password" written as StoredPasswordText(sPassword). A site written by
// an older Marlock, or edited by hand, after the hexadecimal key was saved
// fails this, and then "Password" counts.
bool PasswordMatches(const std::string& sPassword, const std::string& sReadBack) {
  const std::string written = WithoutEdges(StoredPasswordText(sPassword));
  const std::string read = WithoutEdges(sReadBack);
  if (read.size() > written.size() || written.compare(0, read.size(), read) != 0) return false;
  // A value read through the 256-character buffer may have been cut.
  return read.size() == written.size() || sReadBack.size() >= 255;
}

}  // namespace

std::string SiteSection(const std::string& sHost, const std::string& sPort) {
  return sHost + "_" + sPort;
}

std::string StoredPasswordText(const std::string& sPassword) {
  std::string s = ScramblePassword(sPassword, true);
  for (char& c : s) {
    if (c == '\n' || c == '\r' || c == '\0') c = '\x01';
  }
  return s;
}

std::string HexOf(const std::string& sBytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(sBytes.size() * 2);
  for (char c : sBytes) {
    const unsigned b = static_cast<unsigned char>(c);
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 15]);
  }
  return hex;
}

bool BytesOfHex(const std::string& sHex, std::string& sBytes) {
  if (sHex.size() % 2 != 0) return false;
  std::string bytes;
  bytes.reserve(sHex.size() / 2);
  for (size_t i = 0; i < sHex.size(); i += 2) {
    int hi = HexDigit(sHex[i]), lo = HexDigit(sHex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes.push_back(static_cast<char>(hi * 16 + lo));
  }
  sBytes = bytes;
  return true;
}

void SaveSite(ProfileStore& sites, const std::string& sHost, const std::string& sPort,
              const std::string& sUserName, const std::string& sPassword) {
  SaveSiteInSection(sites, SiteSection(sHost, sPort), sHost, sPort, sUserName, sPassword);
}

void SaveSiteInSection(ProfileStore& sites, const std::string& section, const std::string& sHost,
                       const std::string& sPort, const std::string& sUserName,
                       const std::string& sPassword) {
  sites.Write(section, sitekeys::kHost, sHost);
  sites.Write(section, sitekeys::kPort, sPort);
  sites.Write(section, sitekeys::kUserName, sUserName);
  sites.Write(section, sitekeys::kPassword, StoredPasswordText(sPassword));
  sites.Write(section, sitekeys::kPasswordHex, HexOf(ScrambleExact(sPassword)));
}

std::string ReadSavedPassword(ProfileStore& sites, const std::string& sSection) {
  const std::string stored = sites.Read(sSection, sitekeys::kPassword, "");
  std::string scrambled;
  const std::string hex = sites.ReadWhole(sSection, sitekeys::kPasswordHex, "");
  if (!hex.empty() && BytesOfHex(hex, scrambled)) {
    std::string password = ScrambleExact(scrambled);
    if (PasswordMatches(password, stored)) return password;
  }
  return ScramblePassword(stored, false);
}

void LookupSavedLogin(FtpLink& link, ProfileStore& sites) {
  if (!link.UserName.empty()) return;
  const std::string section = SiteSection(link.Host, link.Port.empty() ? "21" : link.Port);
  const std::string user = sites.Read(section, "Username", sitekeys::kNoSavedLogin);
  if (user == sitekeys::kNoSavedLogin) {
    link.UserName.clear();
    link.Password.clear();
    return;
  }
  link.UserName = user;
  link.Password = ReadSavedPassword(sites, section);
}

}  // namespace marlock
