// The recording automation objects, reached by ProgID as Marlock reaches them.
#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "autostub_registry.h"
#include "testkit.h"

namespace {

HRESULT PutText(IDispatch* d, const wchar_t* name, const wchar_t* value) {
  DISPID id;
  LPOLESTR n = const_cast<LPOLESTR>(name);
  HRESULT hr = d->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(value);
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS p = {&v, &put, 1, 1};
  hr = d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &p, nullptr, nullptr,
                 nullptr);
  VariantClear(&v);
  return hr;
}

HRESULT CallText(IDispatch* d, const wchar_t* name, const wchar_t* arg) {
  DISPID id;
  LPOLESTR n = const_cast<LPOLESTR>(name);
  HRESULT hr = d->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(arg);
  DISPPARAMS p = {&v, nullptr, 1, 0};
  hr = d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr);
  VariantClear(&v);
  return hr;
}

TEST(AutomationStub, RecordsCallsMadeByProgId) {
  ASSERT_TRUE(autostub::Register());
  std::string dir = testkit::NewScratchDir("autostub");
  std::string log = dir + "\\automation.log";
  SetEnvironmentVariableA("ZARVO_AUTOMATION_LOG", log.c_str());
  CoInitialize(nullptr);
  CLSID clsid;
  ASSERT_EQ(CLSIDFromProgID(L"CuteFTPPro.TEConnection", &clsid), S_OK);
  IDispatch* d = nullptr;
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                             reinterpret_cast<void**>(&d)),
            S_OK);
  EXPECT_EQ(PutText(d, L"LocalFolder", L"C:\\Downloads"), S_OK);
  EXPECT_EQ(CallText(d, L"TransferURL", L"ftp://u:p@host/pub/file.zip"), S_OK);
  d->Release();
  ASSERT_EQ(CLSIDFromProgID(L"InternetExplorer.Application", &clsid), S_OK);
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                             reinterpret_cast<void**>(&d)),
            S_OK);
  d->Release();
  CoUninitialize();
  EXPECT_EQ(autostub::ReadLog(log),
            (std::vector<std::string>{"CuteFTPPro.TEConnection create",
                                      "CuteFTPPro.TEConnection put LocalFolder = C:\\Downloads",
                                      "CuteFTPPro.TEConnection call TransferURL(ftp://u:p@host/pub/file.zip)",
                                      "CuteFTPPro.TEConnection release",
                                      "InternetExplorer.Application create",
                                      "InternetExplorer.Application release"}));
  autostub::Unregister();
}

// A ProgID registered before the stand-in (Wine registers its own Internet
// Explorer) is given back its class when the stand-in goes.
TEST(AutomationStub, UnregisterGivesBackTheClassThatWasThere) {
  const char* kOwn = "{0002DF01-0000-0000-C000-000000000046}";
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "InternetExplorer.Application\\CLSID", 0, nullptr,
                            0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kOwn),
                 static_cast<DWORD>(strlen(kOwn) + 1));
  RegCloseKey(key);
  auto clsidOf = [](const wchar_t* progId) {
    CLSID clsid = {};
    CLSIDFromProgID(progId, &clsid);
    wchar_t text[64] = {};
    StringFromGUID2(clsid, text, 64);
    return std::wstring(text);
  };
  ASSERT_TRUE(autostub::Register());
  EXPECT_EQ(clsidOf(L"InternetExplorer.Application"), L"{D6B1C3A0-5A35-4F1E-9E64-2A7B6B8F0C12}");
  autostub::Register();  // twice, as consecutive tests may
  autostub::Unregister();
  EXPECT_EQ(clsidOf(L"InternetExplorer.Application"), L"{0002DF01-0000-0000-C000-000000000046}");
  CLSID none;
  EXPECT_NE(CLSIDFromProgID(L"CuteFTPPro.TEConnection", &none), S_OK);
}

}  // namespace
