// Registering and unregistering Quennel with the system's regsvr32, read
// back from HKEY_CLASSES_ROOT; the type library and the version resource
// inside the built file.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <set>
#include <string>

#include "testkit.h"
#include "zarvo_host.h"

namespace {

const char kClsid[] = "{96E78121-9FF2-466D-B6CD-4038CAC1BB79}";
const char kLibid[] = "{7AEB8B4F-CF57-4B04-A4C6-70F70894E9DC}";
const char kIidItng[] = "{EEECEA9D-22D6-4BB6-809C-A7E83B6F2C36}";
const GUID kLibidGuid = {0x7aeb8b4f, 0xcf57, 0x4b04, {0xa4, 0xc6, 0x70, 0xf7, 0x08, 0x94, 0xe9, 0xdc}};
const GUID kItngGuid = {0xeeecea9d, 0x22d6, 0x4bb6, {0x80, 0x9c, 0xa7, 0xe8, 0x3b, 0x6f, 0x2c, 0x36}};
const GUID kTngGuid = {0x96e78121, 0x9ff2, 0x466d, {0xb6, 0xcd, 0x40, 0x38, 0xca, 0xc1, 0xbb, 0x79}};

using Entries = std::set<std::string>;

bool KeyExists(const std::string& sKey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, sKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Every key below (and including) sKey as "key", and every value as
// "key|name=value" ("@" for the default value).
void Dump(const std::string& sKey, Entries& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, sKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out.insert(sKey);
  for (DWORD i = 0;; ++i) {
    char name[256] = {};
    BYTE data[1024] = {};
    DWORD nameLen = sizeof name, dataLen = sizeof data - 1, type = 0;
    if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
    std::string value = type == REG_SZ ? std::string(reinterpret_cast<char*>(data)) : "(type " + std::to_string(type) + ")";
    out.insert(sKey + "|" + (name[0] ? name : "@") + "=" + value);
  }
  for (DWORD i = 0;; ++i) {
    char sub[256] = {};
    DWORD subLen = sizeof sub;
    if (RegEnumKeyExA(key, i, sub, &subLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Dump(sKey + "\\" + sub, out);
  }
  RegCloseKey(key);
}

Entries Registered() {
  Entries out;
  Dump("Quennel.TNG.1", out);
  Dump("Quennel.TNG", out);
  Dump(std::string("CLSID\\") + kClsid, out);
  return out;
}

Entries Expected(const std::string& sDll) {
  const std::string c = std::string("CLSID\\") + kClsid;
  return {
      "Quennel.TNG.1",
      "Quennel.TNG.1|@=TNG Class",
      "Quennel.TNG.1\\CLSID",
      "Quennel.TNG.1\\CLSID|@=" + std::string(kClsid),
      "Quennel.TNG",
      "Quennel.TNG|@=TNG Class",
      "Quennel.TNG\\CLSID",
      "Quennel.TNG\\CLSID|@=" + std::string(kClsid),
      "Quennel.TNG\\CurVer",
      "Quennel.TNG\\CurVer|@=Quennel.TNG.1",
      c,
      c + "|@=TNG Class",
      c + "\\ProgID",
      c + "\\ProgID|@=Quennel.TNG.1",
      c + "\\VersionIndependentProgID",
      c + "\\VersionIndependentProgID|@=Quennel.TNG",
      c + "\\Programmable",
      c + "\\InprocServer32",
      c + "\\InprocServer32|@=" + sDll,
      c + "\\InprocServer32|ThreadingModel=Apartment",
      c + "\\TypeLib",
      c + "\\TypeLib|@=" + std::string(kLibid),
  };
}

std::string TypeLibKey() {
  return std::string("TypeLib\\") + kLibid + "\\1.0\\409\\" + (sizeof(void*) == 8 ? "win64" : "win32");
}

std::string DefaultValue(const std::string& sKey) {
  char value[MAX_PATH * 4] = {};
  LONG size = sizeof value;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, sKey.c_str(), value, &size) != ERROR_SUCCESS) return "(missing)";
  return value;
}

// A private copy of the library, so that other tests' registration of the
// build's own file does not meet this one's.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testkit::NewScratchDir("quennel-reg");
    dll_ = testkit::CopyInto(QUENNEL_DLL, dir_);
  }
  std::string dir_, dll_;
};

TEST_F(RegistryTest, RegisterTwiceThenUnregisterTwice) {
  ASSERT_EQ(zarvo_host::RunRegsvr32(dll_, false), 0);
  EXPECT_EQ(Registered(), Expected(dll_));
  EXPECT_EQ(DefaultValue(TypeLibKey()), dll_) << "the type library is registered from the module";
  EXPECT_EQ(DefaultValue(std::string("Interface\\") + kIidItng + "\\TypeLib"), kLibid);

  ASSERT_EQ(zarvo_host::RunRegsvr32(dll_, false), 0);
  EXPECT_EQ(Registered(), Expected(dll_)) << "a second registration leaves one set of entries";

  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(zarvo_host::RunRegsvr32(dll_, true), 0) << "round " << round;
    EXPECT_EQ(Registered(), Entries{});
    EXPECT_TRUE(KeyExists("CLSID")) << "the CLSID key itself stays";
    EXPECT_FALSE(KeyExists(std::string("TypeLib\\") + kLibid));
    EXPECT_FALSE(KeyExists(std::string("Interface\\") + kIidItng));
  }
}

TEST_F(RegistryTest, RegisteringWritesTheClassKeyAnew) {
  const std::string c = std::string("CLSID\\") + kClsid;
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, (c + "\\Programmable\\Stale").c_str(), &key), ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, (c + "\\Implemented Categories").c_str(), &key), ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(zarvo_host::RunRegsvr32(dll_, false), 0);
  EXPECT_EQ(Registered(), Expected(dll_)) << "what was below the class's key is gone";
  ASSERT_EQ(zarvo_host::RunRegsvr32(dll_, true), 0);
}

TEST_F(RegistryTest, TypeLibraryBesideALibraryWithoutOne) {
  // A build of the library without the embedded type library: registering
  // falls back to the ".tlb" file of the same name beside it.
  std::string bare = testkit::CopyInto(QUENNEL_BARE_DLL, dir_, "Quennel.dll");
  ASSERT_EQ(bare, dll_);
  EXPECT_NE(zarvo_host::RunRegsvr32(bare, false), 0) << "no type library anywhere: the step fails";
  std::string tlb = testkit::CopyInto(QUENNEL_TLB, dir_, "Quennel.tlb");
  ASSERT_EQ(zarvo_host::RunRegsvr32(bare, false), 0);
  EXPECT_EQ(Registered(), Expected(bare));
  EXPECT_EQ(DefaultValue(TypeLibKey()), tlb);
  ASSERT_EQ(zarvo_host::RunRegsvr32(bare, true), 0);
  EXPECT_FALSE(KeyExists(std::string("TypeLib\\") + kLibid));
}

std::wstring Wide(const std::string& s) {
  wchar_t buf[MAX_PATH * 4] = {};
  MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, buf, MAX_PATH * 4);
  return buf;
}

std::string Doc(ITypeLib* lib, int index) {
  BSTR name = nullptr, doc = nullptr;
  lib->GetDocumentation(index, &name, &doc, nullptr, nullptr);
  char out[512] = {};
  WideCharToMultiByte(CP_ACP, 0, name ? name : L"", -1, out, 256, nullptr, nullptr);
  std::string s = std::string(out) + " / ";
  WideCharToMultiByte(CP_ACP, 0, doc ? doc : L"", -1, out, 256, nullptr, nullptr);
  SysFreeString(name);
  SysFreeString(doc);
  return s + out;
}

TEST(TypeLibrary, LoadsFromTheModulesResource) {
  ITypeLib* lib = nullptr;
  ASSERT_EQ(LoadTypeLibEx(Wide(testkit::WinPath(QUENNEL_DLL)).c_str(), REGKIND_NONE, &lib), S_OK);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, kLibidGuid));
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  EXPECT_EQ(attr->lcid, 0x0409u);
  lib->ReleaseTLibAttr(attr);
  EXPECT_EQ(Doc(lib, -1), "QUENNELLib / Quennel 1.0 Type Library");

  ITypeInfo* itng = nullptr;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(kItngGuid, &itng), S_OK);
  TYPEATTR* ta = nullptr;
  ASSERT_EQ(itng->GetTypeAttr(&ta), S_OK);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDUAL);
  itng->ReleaseTypeAttr(ta);
  // The dual interface's own side: derived from IDispatch, no members.
  HREFTYPE ref = 0;
  ITypeInfo* own = itng;
  if (SUCCEEDED(itng->GetRefTypeOfImplType(-1, &ref))) itng->GetRefTypeInfo(ref, &own);
  ASSERT_EQ(own->GetTypeAttr(&ta), S_OK);
  EXPECT_EQ(ta->typekind, TKIND_INTERFACE);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
  EXPECT_EQ(ta->cFuncs, 0);
  own->ReleaseTypeAttr(ta);
  ASSERT_EQ(own->GetRefTypeOfImplType(0, &ref), S_OK);
  ITypeInfo* base = nullptr;
  ASSERT_EQ(own->GetRefTypeInfo(ref, &base), S_OK);
  BSTR baseName = nullptr;
  base->GetDocumentation(MEMBERID_NIL, &baseName, nullptr, nullptr, nullptr);
  EXPECT_STREQ(baseName, L"IDispatch");
  SysFreeString(baseName);
  base->Release();
  if (own != itng) own->Release();
  itng->Release();

  ITypeInfo* tng = nullptr;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(kTngGuid, &tng), S_OK);
  ASSERT_EQ(tng->GetTypeAttr(&ta), S_OK);
  EXPECT_EQ(ta->typekind, TKIND_COCLASS);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FCANCREATE);
  EXPECT_EQ(ta->cImplTypes, 1);
  tng->ReleaseTypeAttr(ta);
  INT flags = 0;
  EXPECT_EQ(tng->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  tng->Release();

  for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
    std::string d = Doc(lib, static_cast<int>(i));
    EXPECT_TRUE(d == "ITNG / ITNG Interface" || d == "TNG / TNG Class") << d;
  }
  lib->Release();
}

TEST(VersionResource, CarriesTheModulesNamesAndSelfRegistration) {
  std::string path = testkit::WinPath(QUENNEL_DLL);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::string data(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, &data[0]));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueA(&data[0], "\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(&data[0], "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 0x04B0);
  const std::pair<const char*, const char*> strings[] = {
      {"CompanyName", ""},
      {"FileDescription", "Quennel Module"},
      {"FileVersion", "1, 0, 0, 1"},
      {"InternalName", "Quennel"},
      {"OriginalFilename", "Quennel.DLL"},
      {"ProductName", "Quennel Module"},
      {"ProductVersion", "1, 0, 0, 1"},
      {"OLESelfRegister", ""},
  };
  for (const auto& s : strings) {
    char* value = nullptr;
    std::string query = std::string("\\StringFileInfo\\040904B0\\") + s.first;
    ASSERT_TRUE(VerQueryValueA(&data[0], query.c_str(), reinterpret_cast<void**>(&value), &len)) << s.first;
    EXPECT_STREQ(value, s.second) << s.first;
  }
}

}  // namespace
