// The registry entries of Quennel, as one table written in one loop that
// stops at the first failure.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "module.h"
#include "quennel_h.h"
#include "server.h"

namespace quennel {

namespace {

#define QUENNEL_CLSID "{96E78121-9FF2-466D-B6CD-4038CAC1BB79}"
const char kClsidKey[] = "CLSID\\" QUENNEL_CLSID;

struct Entry {
  const char* key;
  const char* valueName;  // null: the key's default value
  const char* value;      // null: the key alone, no value
};

// The module's path fills in the value of InprocServer32.
const char kModulePath[] = "<module>";

const Entry kEntries[] = {
    {"Quennel.TNG.1", nullptr, "TNG Class"},
    {"Quennel.TNG.1\\CLSID", nullptr, QUENNEL_CLSID},
    {"Quennel.TNG", nullptr, "TNG Class"},
    {"Quennel.TNG\\CLSID", nullptr, QUENNEL_CLSID},
    {"Quennel.TNG\\CurVer", nullptr, "Quennel.TNG.1"},
    {"CLSID\\" QUENNEL_CLSID, nullptr, "TNG Class"},
    {"CLSID\\" QUENNEL_CLSID "\\ProgID", nullptr, "Quennel.TNG.1"},
    {"CLSID\\" QUENNEL_CLSID "\\VersionIndependentProgID", nullptr, "Quennel.TNG"},
    {"CLSID\\" QUENNEL_CLSID "\\Programmable", nullptr, nullptr},
    {"CLSID\\" QUENNEL_CLSID "\\InprocServer32", nullptr, kModulePath},
    {"CLSID\\" QUENNEL_CLSID "\\InprocServer32", "ThreadingModel", "Apartment"},
    {"CLSID\\" QUENNEL_CLSID "\\TypeLib", nullptr, "{7AEB8B4F-CF57-4B04-A4C6-70F70894E9DC}"},
};

// The keys unregistering removes, each with everything below it. The
// CLSID key of HKEY_CLASSES_ROOT itself stays.
const char* const kOwnKeys[] = {"Quennel.TNG.1", "Quennel.TNG", kClsidKey};

HRESULT DeleteTree(const char* sKey) {
  LONG err = RegDeleteTreeA(HKEY_CLASSES_ROOT, sKey);
  if (err == ERROR_SUCCESS || err == ERROR_FILE_NOT_FOUND) return S_OK;
  return HRESULT_FROM_WIN32(err);
}

HRESULT Write(const Entry& e, const std::string& sModule) {
  HKEY key = nullptr;
  LONG err = RegCreateKeyExA(HKEY_CLASSES_ROOT, e.key, 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_SET_VALUE, nullptr, &key, nullptr);
  if (err != ERROR_SUCCESS) return HRESULT_FROM_WIN32(err);
  if (e.value) {
    const std::string value = e.value == kModulePath ? sModule : std::string(e.value);
    err = RegSetValueExA(key, e.valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
  }
  RegCloseKey(key);
  return err == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(err);
}

std::wstring Wide(const std::string& s) {
  int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, &w[0], n);
  w.resize(static_cast<size_t>(n - 1));
  return w;
}

// The type library inside the module, or else the ".tlb" file of the same
// name beside it; sPathOut receives the file it came from.
HRESULT LoadOwnTypeLib(ITypeLib** ppLib, std::wstring& sPathOut) {
  *ppLib = nullptr;
  const std::string module = ModulePath();
  sPathOut = Wide(module);
  HRESULT hr = LoadTypeLibEx(sPathOut.c_str(), REGKIND_NONE, ppLib);
  if (SUCCEEDED(hr)) return hr;
  *ppLib = nullptr;
  std::string tlb = module;
  size_t dot = tlb.find_last_of(".\\/");
  if (dot != std::string::npos && tlb[dot] == '.') tlb.erase(dot);
  tlb += ".tlb";
  sPathOut = Wide(tlb);
  hr = LoadTypeLibEx(sPathOut.c_str(), REGKIND_NONE, ppLib);
  if (FAILED(hr)) *ppLib = nullptr;
  return hr;
}

}  // namespace

HRESULT RegisterServer() {
  const std::string module = ModulePath();
  if (module.empty()) return HRESULT_FROM_WIN32(GetLastError());
  // The class's key is written anew, so that nothing of an older
  // registration stays below it.
  HRESULT hr = DeleteTree(kClsidKey);
  if (FAILED(hr)) return hr;
  for (const Entry& e : kEntries) {
    hr = Write(e, module);
    if (FAILED(hr)) return hr;
  }
  ITypeLib* lib = nullptr;
  std::wstring path;
  hr = LoadOwnTypeLib(&lib, path);
  if (FAILED(hr)) return hr;
  hr = RegisterTypeLib(lib, &path[0], nullptr);
  lib->Release();
  return hr;
}

HRESULT UnregisterServer() {
  for (const char* key : kOwnKeys) DeleteTree(key);

  // UnRegisterTypeLib is looked up at run time: systems without it simply
  // keep the type library's keys.
  using UnRegisterTypeLibFn = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);
  HMODULE oleaut = GetModuleHandleA("oleaut32.dll");
  auto unregister = oleaut ? reinterpret_cast<UnRegisterTypeLibFn>(reinterpret_cast<void*>(
                                 GetProcAddress(oleaut, "UnRegisterTypeLib")))
                           : nullptr;
  if (!unregister) return S_OK;
  GUID libid = LIBID_QUENNELLib;
  WORD major = 1, minor = 0;
  LCID lcid = 0x0409;
  SYSKIND syskind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
  ITypeLib* lib = nullptr;
  std::wstring path;
  if (SUCCEEDED(LoadOwnTypeLib(&lib, path))) {
    TLIBATTR* attr = nullptr;
    if (SUCCEEDED(lib->GetLibAttr(&attr)) && attr) {
      libid = attr->guid;
      major = attr->wMajorVerNum;
      minor = attr->wMinorVerNum;
      lcid = attr->lcid;
      syskind = attr->syskind;
      lib->ReleaseTLibAttr(attr);
    }
    lib->Release();
  }
  unregister(libid, major, minor, lcid, syskind);
  return S_OK;
}

}  // namespace quennel
