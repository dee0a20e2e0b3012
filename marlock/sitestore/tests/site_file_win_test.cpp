// The site file through the real profile functions: FTPData.db files
// written and read as Marlock writes and reads them.
#include <gtest/gtest.h>

#include <chrono>

#include "profile.h"
#include "sitestore/ini_file_store.h"
#include "sitestore/scramble.h"
#include "sitestore/site_file.h"
#include "testkit.h"

namespace {

using marlock::FtpLink;
using marlock::IniFileStore;

class SiteFileTest : public ::testing::Test {
 protected:
  void SetUp() override { path_ = testkit::NewScratchDir("sitefile") + "\\FTPData.db"; }

  FtpLink Lookup(const std::string& sHost, const std::string& sPort,
                 const std::string& sUser = "", const std::string& sPassword = "") {
    FtpLink link;
    link.Host = sHost;
    link.Port = sPort;
    link.UserName = sUser;
    link.Password = sPassword;
    IniFileStore sites(path_);
    marlock::LookupSavedLogin(link, sites);
    return link;
  }
  void Write(const char* sSection, const char* sKey, const std::string& sValue) {
    zarvo::WriteProfileText(path_, sSection, sKey, sValue);
  }

  std::string path_;
};

TEST_F(SiteFileTest, SavedSiteFileBytes) {
  IniFileStore sites(path_);
  marlock::SaveSite(sites, "ftp.example.org", "2121", "user", "secret");
  EXPECT_EQ(testkit::ReadFileBytes(path_),
            testkit::IniText({{"ftp.example.org_2121",
                               {{"Host", "ftp.example.org"},
                                {"Port", "2121"},
                                {"UserName", "user"},
                                {"Password", marlock::ScramblePassword("secret", true)},
                                {"PasswordHex", "3F424D433938"}}}}));
  FtpLink link = Lookup("ftp.example.org", "2121");
  EXPECT_EQ(link.UserName, "user");
  EXPECT_EQ(link.Password, "secret");
}

TEST_F(SiteFileTest, SavingTwiceKeepsOneSectionWithTheSecondValues) {
  IniFileStore sites(path_);
  marlock::SaveSite(sites, "h", "21", "first", "one");
  marlock::SaveSite(sites, "h", "21", "second", "two");
  const std::string text = testkit::ReadFileBytes(path_);
  EXPECT_EQ(text.find("[h_21]"), text.rfind("[h_21]")) << text;
  FtpLink link = Lookup("h", "");
  EXPECT_EQ(link.UserName, "second");
  EXPECT_EQ(link.Password, "two");
}

TEST_F(SiteFileTest, EmptyPassword) {
  IniFileStore sites(path_);
  marlock::SaveSite(sites, "h", "21", "user", "");
  EXPECT_NE(testkit::ReadFileBytes(path_).find("\r\nPassword=\r\n"), std::string::npos);
  FtpLink link = Lookup("h", "21");
  EXPECT_EQ(link.UserName, "user");
  EXPECT_EQ(link.Password, "");
}

TEST_F(SiteFileTest, UserNameWithoutPassword) {
  Write("h_21", "Host", "h");
  Write("h_21", "Port", "21");
  Write("h_21", "UserName", "user");
  FtpLink link = Lookup("h", "21");
  EXPECT_EQ(link.UserName, "user");
  EXPECT_EQ(link.Password, "");
}

TEST_F(SiteFileTest, SavedUserNameSSSXXXAAAIsNoLogin) {
  IniFileStore sites(path_);
  marlock::SaveSite(sites, "h", "21", "SSSXXXAAA", "secret");
  FtpLink link = Lookup("h", "", "", "from link");
  EXPECT_EQ(link.UserName, "");
  EXPECT_EQ(link.Password, "");
}

TEST_F(SiteFileTest, PortsAreSeparateSites) {
  IniFileStore sites(path_);
  marlock::SaveSite(sites, "h", "2121", "high", "pw2121");
  FtpLink link = Lookup("h", "21");
  EXPECT_EQ(link.UserName, "") << "the site saved with 2121 is not the one with 21";
  EXPECT_EQ(Lookup("h", "").UserName, "");
  marlock::SaveSite(sites, "h", "21", "low", "pw21");
  EXPECT_EQ(Lookup("h", "21").UserName, "low");
  EXPECT_EQ(Lookup("h", "2121").UserName, "high");
  // A link without port finds the site saved with 21.
  link = Lookup("h", "");
  EXPECT_EQ(link.UserName, "low");
  EXPECT_EQ(link.Password, "pw21");
}

TEST_F(SiteFileTest, UserInLinkSkipsLookup) {
  IniFileStore sites(path_);
  marlock::SaveSite(sites, "h", "21", "saved", "savedpw");
  FtpLink link = Lookup("h", "", "mine", "minepw");
  EXPECT_EQ(link.UserName, "mine");
  EXPECT_EQ(link.Password, "minepw");
}

TEST_F(SiteFileTest, MissingFile) {
  FtpLink link = Lookup("h", "");
  EXPECT_EQ(link.UserName, "");
  EXPECT_FALSE(testkit::PathExists(path_)) << "a lookup creates nothing";
}

TEST_F(SiteFileTest, ValuesOf300Characters) {
  std::string user(300, 'u');
  std::string password;
  for (int i = 0; i < 300; ++i) password.push_back(static_cast<char>('a' + i % 26));
  IniFileStore sites(path_);
  marlock::SaveSite(sites, "h", "21", user, password);
  FtpLink link = Lookup("h", "");
  EXPECT_EQ(link.UserName, user.substr(0, 255)) << "read through a 256-character buffer";
  EXPECT_EQ(link.Password, password) << "the exact password has no such limit";
}

// A site written before the exact key existed reads as it always did: here
// a password of 300 characters that scrambles to nothing the profile
// functions change comes back cut to 255.
TEST_F(SiteFileTest, OldSiteWithLongPasswordIsCut) {
  std::string password;
  marlock::ScrambleMasks masks;
  for (int i = 0; i < 300; ++i) {
    const int k = masks.Next();
    char c = 'a';
    while ((c ^ k) < 32 || (c ^ k) == '"' || (c ^ k) == '\'' || (c ^ k) == ' ') ++c;
    password.push_back(c);
  }
  Write("old_21", "UserName", "olduser");
  Write("old_21", "Password", marlock::ScramblePassword(password, true));
  EXPECT_EQ(Lookup("old", "").Password, password.substr(0, 255));
}

TEST_F(SiteFileTest, FilesWrittenBeforeReadAsTheyDid) {
  // "F" scrambles to a line feed at the first position: stored as 1, read as ".".
  Write("h_21", "UserName", "user");
  Write("h_21", "Password", marlock::ScramblePassword("Fsecret", true));
  EXPECT_EQ(Lookup("h", "").Password, ".secret");
}

TEST_F(SiteFileTest, PasswordChangedByAnOlderMarlockWins) {
  IniFileStore sites(path_);
  marlock::SaveSite(sites, "h", "21", "user", "first");
  Write("h_21", "Password", marlock::ScramblePassword("second", true));
  EXPECT_EQ(Lookup("h", "").Password, "second");
}

// Every character a user can type (codes 1 to 255, the system code page
// beyond ASCII included) reads back exactly through the real profile
// functions, wherever it stands in a long password. A position's stored
// byte depends only on its character and its mask, so a password of one
// character throughout tries that character at every position at once;
// at the ends, where the profile functions trim, it is also tried beside
// ordinary characters. (Each position alone: site_file_test, in memory.)
TEST_F(SiteFileTest, EveryCharacterAtEveryPositionRoundTrips) {
  const std::string base = "The quick brown fox jumps over the lazy dog, 0123456789 times!!";
  IniFileStore sites(path_);
  int legacyLosses = 0;
  for (int c = 1; c < 256; ++c) {
    const char ch = static_cast<char>(c);
    std::vector<std::string> passwords = {std::string(base.size(), ch), std::string(1, ch),
                                          std::string(2, ch)};
    for (size_t pos : {size_t{0}, size_t{1}, base.size() / 2, base.size() - 2, base.size() - 1}) {
      std::string p = base;
      p[pos] = ch;
      passwords.push_back(p);
    }
    for (const std::string& password : passwords) {
      marlock::SaveSite(sites, "h", "21", "u", password);
      const FtpLink link = Lookup("h", "");
      ASSERT_EQ(link.Password, password) << "code " << c << ", length " << password.size();
      if (marlock::ScramblePassword(sites.Read("h_21", "Password", ""), false) != password) {
        ++legacyLosses;
      }
    }
  }
  EXPECT_GT(legacyLosses, 0) << "the \"Password\" key alone loses characters";
}

}  // namespace
