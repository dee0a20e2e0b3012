// Late-bound calls on an automation object: the object is created from its
// programmatic identifier, each property or method is looked up by name at
// the time of the call, and the object is released after the last call.
// Any failure ends the run with a message naming the object and the call.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "launcher/executor_steps.h"
#include "process.h"
#include "wide_text.h"

namespace marlock {

namespace {

// An argument as the VARIANT a late-bound call takes; the caller clears it.
VARIANT ArgumentOf(const AutomationCall& call) {
  VARIANT v;
  VariantInit(&v);
  if (const bool* pFlag = std::get_if<bool>(&call.argument)) {
    v.vt = VT_BOOL;
    v.boolVal = *pFlag ? VARIANT_TRUE : VARIANT_FALSE;
  } else {
    const std::wstring wide = zarvo::WideFromAnsi(std::get<std::string>(call.argument));
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  }
  return v;
}

HRESULT Invoke(IDispatch* object, const AutomationCall& call) {
  std::wstring name = zarvo::WideFromAnsi(call.name);
  LPOLESTR names[] = {&name[0]};
  DISPID id = 0;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  VARIANT argument = ArgumentOf(call);
  DISPPARAMS params = {};
  params.rgvarg = &argument;
  params.cArgs = 1;
  DISPID putId = DISPID_PROPERTYPUT;
  WORD wFlags = DISPATCH_METHOD;
  if (call.kind == AutomationCall::Kind::PropertyPut) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
    wFlags = DISPATCH_PROPERTYPUT;
  }
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception = {};
  UINT uArgError = 0;
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, &result, &exception,
                      &uArgError);
  VariantClear(&result);
  VariantClear(&argument);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return hr;
}

std::string HexCode(HRESULT hr) {
  char buffer[16];
  wsprintfA(buffer, "%08lX", static_cast<unsigned long>(hr));
  return buffer;
}

[[noreturn]] void Fail(const std::string& sWhat, HRESULT hr) {
  zarvo::ShowMessage("Marlock could not " + sWhat + " (error " + HexCode(hr) + ").", "Marlock",
                     MB_ICONHAND | MB_OK);
  zarvo::EndProcess();
}

}  // namespace

void Run(const Automation& a, Execution&) {
  const HRESULT hrInit = CoInitialize(nullptr);
  CLSID clsid;
  const std::wstring progId = zarvo::WideFromAnsi(a.progId);
  HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
  const std::string sObject = "the automation object \"" + a.progId + "\"";
  if (FAILED(hr)) Fail("find " + sObject, hr);
  IDispatch* object = nullptr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                        reinterpret_cast<void**>(&object));
  if (FAILED(hr)) Fail("create " + sObject, hr);
  for (const AutomationCall& call : a.calls) {
    hr = Invoke(object, call);
    if (FAILED(hr)) Fail("call \"" + call.name + "\" on " + sObject, hr);
  }
  object->Release();
  if (SUCCEEDED(hrInit)) CoUninitialize();
}

}  // namespace marlock
