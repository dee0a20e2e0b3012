// The reader on real files, through the platform's profile functions.
#include "profile.h"

#include <windows.h>

#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string ScratchFile(const char* sName) {
  char dir[MAX_PATH] = {};
  GetTempPathA(sizeof dir, dir);
  std::string path = std::string(dir) + "zarvo_profile_" + sName + ".ini";
  DeleteFileA(path.c_str());
  return path;
}

void WriteRaw(const std::string& sPath, const std::string& sBytes) {
  std::ofstream(sPath, std::ios::binary) << sBytes;
}

struct ReadCase {
  const char* name;
  const char* fileText;  // nullptr: no file at all
  const char* value;     // what "Main"/"UseIE" reads with default "255"
  bool flag;
};

// Test names and failure messages show the case's name.
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

const ReadCase kReads[] = {
    {"MissingFile", nullptr, "255", false},
    {"EmptyFile", "", "255", false},
    {"PresentButEmpty", "[Main]\r\nUseIE=\r\n", "", false},
    {"Two", "[Main]\r\nUseIE=2\r\n", "2", false},
    {"Yes", "[Main]\r\nUseIE=yes\r\n", "yes", false},
    // The platform trims blanks around a value; the numeric rule would skip
    // a leading blank anyway.
    {"LeadingBlank", "[Main]\r\nUseIE= 1\r\n", "1", true},
    {"One", "[Main]\r\nUseIE=1\r\n", "1", true},
    {"OtherCaseNames", "[MAIN]\r\nuseie=1\r\n", "1", true},
};

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, ReadsValueOrDefault) {
  const ReadCase& c = GetParam();
  std::string path = ScratchFile(c.name);
  if (c.fileText) WriteRaw(path, c.fileText);
  EXPECT_EQ(zarvo::ReadProfileText(path, "Main", "UseIE", "255"), c.value);
  EXPECT_EQ(zarvo::ReadProfileFlag(path, "Main", "UseIE", "255"), c.flag);
  DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Files, ProfileReadTest, ::testing::ValuesIn(kReads),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileRead, LongValueComesBackCutTo255) {
  std::string path = ScratchFile("long");
  std::string longValue(300, 'x');
  for (size_t i = 0; i < longValue.size(); ++i) longValue[i] = char('a' + i % 26);
  ASSERT_TRUE(zarvo::WriteProfileText(path, "Main", "EXEName", longValue));
  std::string read = zarvo::ReadProfileText(path, "Main", "EXEName", "NO");
  EXPECT_EQ(read, longValue.substr(0, 255));
  DeleteFileA(path.c_str());
}

TEST(ProfileWrite, KeysStayInWriteOrder) {
  std::string path = ScratchFile("order");
  zarvo::WriteProfileText(path, "Main", "UseIE", "0");
  zarvo::WriteProfileText(path, "Main", "FTPType", "3");
  zarvo::WriteProfileText(path, "Main", "UseIE", "1");
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "[Main]\r\nUseIE=1\r\nFTPType=3\r\n");
  in.close();
  DeleteFileA(path.c_str());
}

}  // namespace
