// Recording automation objects. Each object answers IDispatch with any
// member name and writes one line per call to %ZARVO_AUTOMATION_LOG%:
//
//   <ProgID> create
//   <ProgID> put <Name> = <value>
//   <ProgID> call <Name>(<arg>, <arg>, ...)
//   <ProgID> get <Name>
//   <ProgID> release
//
// Text arguments are written as they came, numbers in decimal, booleans as
// true or false.
#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <string>
#include <vector>

// {D6B1C3A0-5A35-4F1E-9E64-2A7B6B8F0C11} and {D6B1C3A0-5A35-4F1E-9E64-2A7B6B8F0C12}
static const CLSID kClsidTEConnection = {0xd6b1c3a0, 0x5a35, 0x4f1e, {0x9e, 0x64, 0x2a, 0x7b, 0x6b, 0x8f, 0x0c, 0x11}};
static const CLSID kClsidInternetExplorer = {0xd6b1c3a0, 0x5a35, 0x4f1e, {0x9e, 0x64, 0x2a, 0x7b, 0x6b, 0x8f, 0x0c, 0x12}};

namespace {

std::atomic<long> g_locks{0};

void Log(const std::string& sLine) {
  char path[MAX_PATH * 2] = {};
  DWORD n = GetEnvironmentVariableA("ZARVO_AUTOMATION_LOG", path, sizeof path);
  if (n == 0 || n >= sizeof path) return;
  std::string line = sLine + "\r\n";
  HANDLE h = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(h);
}

std::string Narrow(const wchar_t* s) {
  if (!s) return std::string();
  int n = WideCharToMultiByte(CP_ACP, 0, s, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_ACP, 0, s, -1, &out[0], n, nullptr, nullptr);
  return out;
}

std::string VariantText(const VARIANT& v) {
  const VARIANT* p = &v;
  if (V_VT(p) == (VT_BYREF | VT_VARIANT)) p = V_VARIANTREF(p);
  switch (V_VT(p)) {
    case VT_BSTR: return Narrow(V_BSTR(p));
    case VT_BYREF | VT_BSTR: return Narrow(*V_BSTRREF(p));
    case VT_BOOL: return V_BOOL(p) ? "true" : "false";
    case VT_EMPTY: return "<empty>";
    case VT_ERROR: return "<missing>";
    default: {
      VARIANT t;
      VariantInit(&t);
      std::string s = "<?>";
      if (SUCCEEDED(VariantChangeType(&t, const_cast<VARIANT*>(p), 0, VT_BSTR))) {
        s = Narrow(V_BSTR(&t));
      }
      VariantClear(&t);
      return s;
    }
  }
}

class Recorder final : public IDispatch {
 public:
  virtual ~Recorder() = default;
  explicit Recorder(const char* sProgId) : progId_(sProgId) {
    ++g_locks;
    Log(progId_ + " create");
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *ppv = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG r = --refs_;
    if (r == 0) {
      Log(progId_ + " release");
      --g_locks;
      delete this;
    }
    return r;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override {
    if (pctinfo) *pctinfo = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
    if (ppTInfo) *ppTInfo = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) {
      std::string name = Narrow(names[i]);
      DISPID id = -1;
      for (size_t k = 0; k < names_.size(); ++k) {
        if (_stricmp(names_[k].c_str(), name.c_str()) == 0) id = static_cast<DISPID>(k + 1);
      }
      if (id < 0) {
        names_.push_back(name);
        id = static_cast<DISPID>(names_.size());
      }
      ids[i] = id;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id < 1 || static_cast<size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    const std::string& name = names_[static_cast<size_t>(id) - 1];
    std::vector<std::string> args;
    if (params) {
      for (UINT i = params->cArgs; i > 0; --i) args.push_back(VariantText(params->rgvarg[i - 1]));
    }
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
      Log(progId_ + " put " + name + " = " + (args.empty() ? "" : args.back()));
    } else if ((flags & DISPATCH_METHOD) || !args.empty()) {
      std::string line = progId_ + " call " + name + "(";
      for (size_t i = 0; i < args.size(); ++i) line += (i ? ", " : "") + args[i];
      Log(line + ")");
    } else {
      Log(progId_ + " get " + name);
    }
    if (result) VariantInit(result);
    return S_OK;
  }

 private:
  std::string progId_;
  std::vector<std::string> names_;
  std::atomic<ULONG> refs_{1};
};

class Factory : public IClassFactory {
 public:
  explicit Factory(const char* sProgId) : progId_(sProgId) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *ppv = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Recorder* r = new Recorder(progId_);
    HRESULT hr = r->QueryInterface(riid, ppv);
    r->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ++g_locks;
    } else {
      --g_locks;
    }
    return S_OK;
  }

 private:
  const char* progId_;
};

Factory g_teConnection("CuteFTPPro.TEConnection");
Factory g_internetExplorer("InternetExplorer.Application");

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (IsEqualCLSID(clsid, kClsidTEConnection)) return g_teConnection.QueryInterface(riid, ppv);
  if (IsEqualCLSID(clsid, kClsidInternetExplorer)) {
    return g_internetExplorer.QueryInterface(riid, ppv);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return g_locks == 0 ? S_OK : S_FALSE; }
