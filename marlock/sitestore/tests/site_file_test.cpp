// The site file's logic on an in-memory file: what is written, in which
// order, and how a lookup fills the link. Real files: site_file_win_test.
#include "sitestore/site_file.h"

#include <gtest/gtest.h>

#include "sitestore/memory_profile_store.h"
#include "sitestore/scramble.h"

namespace {

using marlock::FtpLink;
using marlock::MemoryProfileStore;

FtpLink LinkTo(const std::string& sHost, const std::string& sPort,
               const std::string& sUser = "", const std::string& sPassword = "") {
  FtpLink link;
  link.Host = sHost;
  link.Port = sPort;
  link.UserName = sUser;
  link.Password = sPassword;
  return link;
}

TEST(SaveSite, WritesTheFourKeysInOrderThenTheExactPassword) {
  MemoryProfileStore sites;
  marlock::SaveSite(sites, "ftp.example.org", "2121", "user", "secret");
  const auto& w = sites.Writes();
  ASSERT_EQ(w.size(), 5u);
  const char* kKeys[] = {"Host", "Port", "UserName", "Password", "PasswordHex"};
  for (size_t i = 0; i < w.size(); ++i) {
    EXPECT_EQ(w[i].section, "ftp.example.org_2121");
    EXPECT_EQ(w[i].key, kKeys[i]);
  }
  EXPECT_EQ(w[0].value, "ftp.example.org");
  EXPECT_EQ(w[1].value, "2121");
  EXPECT_EQ(w[2].value, "user");
  EXPECT_EQ(w[3].value, marlock::ScramblePassword("secret", true));
  EXPECT_EQ(w[4].value, marlock::HexOf(marlock::ScramblePassword("secret", true)));
  EXPECT_EQ(w[4].value, "3F424D433938");
}

TEST(SaveSite, PasswordKeyNeverBreaksTheLine) {
  // Characters that scramble to 10, 13 and 0 at the first three positions.
  std::string password = {static_cast<char>(10 ^ 76), static_cast<char>(13 ^ 39),
                          static_cast<char>(0 ^ 46), 'x'};
  MemoryProfileStore sites;
  marlock::SaveSite(sites, "h", "21", "u", password);
  const std::string stored = sites.Writes()[3].value;
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_EQ(stored.substr(0, 3), "\x01\x01\x01");
  // Older readers see "." there, as they always did for a line feed.
  EXPECT_EQ(marlock::ScramblePassword(stored, false).substr(0, 3), "...");
}

TEST(SiteSection, HostUnderscorePortUnchanged) {
  EXPECT_EQ(marlock::SiteSection("Host.Example", "21"), "Host.Example_21");
  EXPECT_EQ(marlock::SiteSection(" h ", ""), " h _");
}

struct LookupCase {
  const char* name;
  FtpLink link;
  const char* user;
  const char* password;
  bool looksUp;
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.name; }

class LookupTest : public ::testing::TestWithParam<LookupCase> {
 protected:
  void SetUp() override {
    marlock::SaveSite(sites_, "server", "21", "saved", "pw21");
    marlock::SaveSite(sites_, "server", "2121", "other", "pw2121");
    marlock::SaveSite(sites_, "empty", "21", "nopass", "");
    sites_.Set("bare_21", "UserName", "onlyuser");
    sites_.Set("sss_21", "UserName", "SSSXXXAAA");
    sites_.Set("sss_21", "Password", marlock::ScramblePassword("x", true));
    sites_.Set("blank_21", "UserName", "");
  }
  MemoryProfileStore sites_;
};

TEST_P(LookupTest, FillsOrEmptiesTheLogin) {
  const LookupCase& c = GetParam();
  FtpLink link = c.link;
  const int before = sites_.ReadCount();
  marlock::LookupSavedLogin(link, sites_);
  EXPECT_EQ(link.UserName, c.user);
  EXPECT_EQ(link.Password, c.password);
  EXPECT_EQ(sites_.ReadCount() > before, c.looksUp);
  EXPECT_EQ(link.Port, c.link.Port) << "the port is never filled in";
}

const LookupCase kLookups[] = {
    {"PortGivenAs21", LinkTo("server", "21"), "saved", "pw21", true},
    {"NoPortMeans21", LinkTo("server", ""), "saved", "pw21", true},
    {"Port2121IsAnotherSite", LinkTo("server", "2121"), "other", "pw2121", true},
    {"UnsavedPort", LinkTo("server", "8021"), "", "", true},
    {"UnsavedHostEmptiesPassword", LinkTo("nowhere", "", "", "ser"), "", "", true},
    {"EmptyPassword", LinkTo("empty", ""), "nopass", "", true},
    {"UserNameWithoutPassword", LinkTo("bare", ""), "onlyuser", "", true},
    {"SavedUserLiterallySSSXXXAAA", LinkTo("sss", ""), "", "", true},
    {"SavedEmptyUserName", LinkTo("blank", ""), "", "", true},
    {"HostCaseIgnored", LinkTo("SERVER", ""), "saved", "pw21", true},
    {"UserInLinkSkipsLookup", LinkTo("server", "", "mine", "minepw"), "mine", "minepw", false},
};

INSTANTIATE_TEST_SUITE_P(Sites, LookupTest, ::testing::ValuesIn(kLookups),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadSavedPassword, FilesWrittenBeforeReadAsTheyDid) {
  MemoryProfileStore sites;
  sites.Set("h_21", "Password", marlock::ScramblePassword("Fab", true));
  EXPECT_EQ(marlock::ReadSavedPassword(sites, "h_21"), ".ab");
  sites.Set("g_21", "Password", marlock::ScramblePassword("secret", true));
  EXPECT_EQ(marlock::ReadSavedPassword(sites, "g_21"), "secret");
  EXPECT_EQ(marlock::ReadSavedPassword(sites, "missing_21"), "");
}

TEST(ReadSavedPassword, StaleHexIsIgnored) {
  MemoryProfileStore sites;
  marlock::SaveSite(sites, "h", "21", "u", "first");
  // An older Marlock, or a hand edit, changes only "Password".
  sites.Set("h_21", "Password", marlock::ScramblePassword("second", true));
  EXPECT_EQ(marlock::ReadSavedPassword(sites, "h_21"), "second");
  // Hexadecimal text that is not a whole number of bytes counts as absent.
  sites.Set("h_21", "PasswordHex", "3F4");
  EXPECT_EQ(marlock::ReadSavedPassword(sites, "h_21"), "second");
  sites.Set("h_21", "PasswordHex", "zz");
  EXPECT_EQ(marlock::ReadSavedPassword(sites, "h_21"), "second");
}

// Every character a user can type, at every position of a long password,
// comes back exactly; the "Password" key alone loses some of them.
TEST(ReadSavedPassword, EveryCharacterAtEveryPositionRoundTrips) {
  const std::string base = "The quick brown fox jumps over the lazy dog, 0123456789 times!!";
  int legacyLosses = 0;
  for (int c = 1; c < 256; ++c) {
    for (size_t pos = 0; pos < base.size(); ++pos) {
      std::string password = base;
      password[pos] = static_cast<char>(c);
      MemoryProfileStore sites;
      marlock::SaveSite(sites, "h", "21", "u", password);
      FtpLink link = LinkTo("h", "");
      marlock::LookupSavedLogin(link, sites);
      ASSERT_EQ(link.Password, password) << "code " << c << " at " << pos;
      if (marlock::ScramblePassword(sites.Read("h_21", "Password", ""), false) != password) {
        ++legacyLosses;
      }
    }
  }
  EXPECT_GT(legacyLosses, 0);
}

TEST(ReadSavedPassword, LongerThanTheReadBuffer) {
  std::string password;
  for (int i = 0; i < 600; ++i) password.push_back(static_cast<char>(33 + i % 90));
  MemoryProfileStore sites;
  marlock::SaveSite(sites, "h", "21", "u", password);
  EXPECT_EQ(marlock::ReadSavedPassword(sites, "h_21"), password);
}

TEST(Hex, RoundTripAndRejects) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  std::string back;
  ASSERT_TRUE(marlock::BytesOfHex(marlock::HexOf(bytes), back));
  EXPECT_EQ(back, bytes);
  EXPECT_TRUE(marlock::BytesOfHex("0aFf", back));
  EXPECT_EQ(back, std::string("\x0a\xff"));
  EXPECT_FALSE(marlock::BytesOfHex("0", back));
  EXPECT_FALSE(marlock::BytesOfHex("0g", back));
  EXPECT_FALSE(marlock::BytesOfHex(" 0a", back));
}

}  // namespace
