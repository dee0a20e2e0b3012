#include "launcher/ftp_link.h"

namespace marlock {

namespace {

// Positions count characters from 1, as in the way links have always been
// scanned. Span gives the characters from iFrom to iTo, both included; a
// range that is empty or runs backwards gives the empty text.
std::string Span(const std::string& s, size_t iFrom, size_t iTo) {
  if (iFrom < 1) iFrom = 1;
  if (iTo > s.size()) iTo = s.size();
  if (iTo < iFrom) return std::string();
  return s.substr(iFrom - 1, iTo - iFrom + 1);
}

// The last w characters, or all of them when there are fewer.
std::string Right(const std::string& s, size_t w) {
  return w >= s.size() ? s : s.substr(s.size() - w);
}

// What one pass over the authority leaves behind. Only lastSlash starts
// again on a second pass; the rest carries over, as the fields do.
struct Scan {
  size_t lastSlash = 0;
  bool sawAt = false;
  bool portColon = false;      // the verdict of the last colon scanned
  bool hostSet = false;
  size_t hostEnd = 0;          // the raw host is Url[7 .. hostEnd]
  size_t userLen = 0;          // the user name is the userLen characters from 7
  size_t passFrom = 0, passTo = 0;  // the password is Url[passFrom .. passTo]

  void Pass(const std::string& s) {
    const size_t n = s.size();
    lastSlash = 0;
    for (size_t pos = 7; pos <= n; ++pos) {
      const char c = s[pos - 1];
      if (c == '/') {
        if (lastSlash == 0) {
          hostEnd = pos - 1;
          hostSet = true;
        }
        lastSlash = pos;
      } else if (c == ':') {
        // A "/" within the next six characters makes it a port colon;
        // otherwise it ends a user name.
        bool slashAhead = false;
        for (size_t j = pos + 1; j <= pos + 6 && j <= n; ++j) {
          if (s[j - 1] == '/') slashAhead = true;
        }
        portColon = slashAhead;
        if (!slashAhead) userLen = pos - 7;
      } else if (c == '@' && !HostKnown()) {
        // A later "@" before the first "/" replaces the password again, so
        // a password may itself hold "@". With no user name before it the
        // range starts at position 8 and may come out empty or backwards.
        sawAt = true;
        passFrom = userLen + 8;
        passTo = pos - 1;
      }
    }
  }

  // The raw host, once a "/" gave it; an empty one counts as none.
  bool HostKnown() const { return hostSet && hostEnd >= 7; }
};

}  // namespace

bool HasSiteToScan(const std::string& sUrl) { return sUrl.size() >= 7 && sUrl[6] != '/'; }

bool ParseFtpLink(FtpLink& link) {
  if (!HasSiteToScan(link.Url)) return false;
  link.Host.clear();
  link.Port.clear();
  link.UserName.clear();
  link.Password.clear();
  link.RemoteDir.clear();
  link.FileName.clear();

  Scan scan;
  scan.Pass(link.Url);
  if (!scan.HostKnown()) {
    // No "/" after the host: one is appended and the link scanned again.
    // HasSiteToScan makes sure the host then comes out non-empty.
    link.Url += '/';
    scan.Pass(link.Url);
    if (!scan.HostKnown()) return false;
  }
  const std::string& s = link.Url;
  const size_t n = s.size();
  link.Host = Span(s, 7, scan.hostEnd);
  const size_t pathStart = link.Host.size() + 7;  // the first "/"

  // File or directory, told from the end: a "." before any "/" makes a file.
  bool isFile = false;
  if (scan.lastSlash != n) {
    for (size_t i = n; i >= 1; --i) {
      if (s[i - 1] == '.') {
        isFile = true;
        break;
      }
      if (s[i - 1] == '/') break;
    }
  }
  if (isFile) {
    link.FileName = Span(s, scan.lastSlash + 1, n);
    link.RemoteDir = Span(s, pathStart, scan.lastSlash);
  } else {
    link.RemoteDir = Span(s, pathStart, n);
  }

  // The port sits after the host's first colon, or after its second one
  // when the host also carries a login (whose colon comes first).
  if (scan.portColon) {
    int skip = scan.sawAt ? 1 : 0;
    for (size_t i = 0; i < link.Host.size(); ++i) {
      if (link.Host[i] != ':') continue;
      if (skip-- > 0) continue;
      link.Port = link.Host.substr(i + 1);
      link.Host.erase(i);
      break;
    }
  }

  if (scan.sawAt) {
    link.UserName = Span(s, 7, 6 + scan.userLen);
    link.Password = Span(s, scan.passFrom, scan.passTo);
    const size_t drop = link.UserName.size() + link.Password.size() + 2;
    link.Host = drop >= link.Host.size() ? std::string() : link.Host.substr(drop);
  }

  // A link whose last part is the host (and port) itself names the root.
  const std::string sSite = HostAndPort(link);
  const std::string sTail =
      (n > 0 && s[n - 1] == '/') ? Right(s.substr(0, n - 1), sSite.size()) : Right(s, sSite.size());
  if (sTail == sSite) {
    link.RemoteDir = "/";
    link.FileName.clear();
  }
  return true;
}

std::string HostAndPort(const FtpLink& link) {
  return link.Port.empty() ? link.Host : link.Host + ":" + link.Port;
}

void BuildLoginUrl(FtpLink& link) {
  if (link.UserName.empty()) return;
  link.Url = "ftp://" + link.UserName + ":" + link.Password + "@" + HostAndPort(link) +
             link.RemoteDir + link.FileName;
}

std::string ClientLink(const FtpLink& link, bool bWithFile) {
  std::string s;
  if (!link.UserName.empty()) s = "ftp://" + link.UserName + ":" + link.Password + "@";
  s += HostAndPort(link) + link.RemoteDir;
  if (bWithFile) s += link.FileName;
  return s;
}

}  // namespace marlock
