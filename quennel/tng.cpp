#include "tng.h"

#include <new>

#include "module.h"
#include "process.h"

namespace quennel {

HRESULT Tng::Create(IUnknown* pOuter, IUnknown** ppUnknown) {
  if (!ppUnknown) return E_POINTER;
  *ppUnknown = nullptr;
  Tng* tng = new (std::nothrow) Tng(pOuter);
  if (!tng) return E_OUTOFMEMORY;
  *ppUnknown = &tng->inner_;
  return S_OK;
}

Tng::Tng(IUnknown* pOuter) : inner_(this), outer_(pOuter ? pOuter : &inner_) { LockModule(); }

Tng::~Tng() {
  // Zarvo calls Stop before the last Release; if it did not, the window
  // must still go first, since its window procedure refers to this object.
  DestroyMessageWindow();
  if (typeInfo_) typeInfo_->Release();
  UnlockModule();
}

// --- IUnknown --------------------------------------------------------------

STDMETHODIMP Tng::Inner::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  Tng* t = owner_;
  if (riid == IID_IUnknown) {
    *ppv = static_cast<IUnknown*>(this);
  } else if (riid == IID_ITNG || riid == IID_IDispatch) {
    *ppv = static_cast<ITNG*>(t);
  } else if (riid == IID_IObjectWithSite) {
    *ppv = static_cast<IObjectWithSite*>(t);
  } else if (riid == IID_IInputObject) {
    *ppv = static_cast<IInputObject*>(t);
  } else if (riid == __uuidof(IHostPlugin)) {
    *ppv = static_cast<IHostPlugin*>(t);
  } else {
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*ppv)->AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) Tng::Inner::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&owner_->refs_)); }

STDMETHODIMP_(ULONG) Tng::Inner::Release() {
  LONG n = InterlockedDecrement(&owner_->refs_);
  if (n == 0) delete owner_;
  return static_cast<ULONG>(n);
}

STDMETHODIMP Tng::QueryInterface(REFIID riid, void** ppv) { return outer_->QueryInterface(riid, ppv); }
STDMETHODIMP_(ULONG) Tng::AddRef() { return outer_->AddRef(); }
STDMETHODIMP_(ULONG) Tng::Release() { return outer_->Release(); }

// --- IDispatch -------------------------------------------------------------

ITypeInfo* Tng::TypeInfo() {
  if (typeInfo_) return typeInfo_;
  // The registered type library first; the one inside this module when it
  // is not registered.
  ITypeLib* lib = nullptr;
  if (FAILED(LoadRegTypeLib(LIBID_QUENNELLib, 1, 0, 0x0409, &lib))) {
    lib = nullptr;
    wchar_t path[MAX_PATH * 4] = {};
    DWORD n = GetModuleFileNameW(ModuleInstance(), path, MAX_PATH * 4);
    if (n > 0 && n < MAX_PATH * 4 && FAILED(LoadTypeLibEx(path, REGKIND_NONE, &lib))) lib = nullptr;
  }
  if (!lib) return nullptr;
  if (FAILED(lib->GetTypeInfoOfGuid(IID_ITNG, &typeInfo_))) typeInfo_ = nullptr;
  lib->Release();
  return typeInfo_;
}

STDMETHODIMP Tng::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 1;
  return S_OK;
}

STDMETHODIMP Tng::GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) {
  if (!ppTInfo) return E_POINTER;
  *ppTInfo = nullptr;
  if (iTInfo != 0) return DISP_E_BADINDEX;
  ITypeInfo* info = TypeInfo();
  if (!info) return TYPE_E_CANTLOADLIBRARY;
  info->AddRef();
  *ppTInfo = info;
  return S_OK;
}

STDMETHODIMP Tng::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                DISPID* rgDispId) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* info = TypeInfo();
  if (!info) return TYPE_E_CANTLOADLIBRARY;
  return DispGetIDsOfNames(info, rgszNames, cNames, rgDispId);
}

STDMETHODIMP Tng::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags,
                         DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                         UINT* puArgErr) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* info = TypeInfo();
  if (!info) return TYPE_E_CANTLOADLIBRARY;
  return DispInvoke(static_cast<ITNG*>(this), info, dispIdMember, wFlags, pDispParams, pVarResult,
                    pExcepInfo, puArgErr);
}

// --- IObjectWithSite -------------------------------------------------------

STDMETHODIMP Tng::SetSite(IUnknown* pUnkSite) {
  // Zarvo keeps the browser alive while it is the site and takes it away
  // with SetSite(null) before it goes: the object holds no reference.
  SearchText().clear();
  state_.site = pUnkSite;
  return S_OK;
}

STDMETHODIMP Tng::GetSite(REFIID, void** ppvSite) {
  if (!ppvSite) return E_POINTER;
  *ppvSite = nullptr;
  return S_FALSE;
}

// --- IInputObject ----------------------------------------------------------

STDMETHODIMP Tng::UIActivateIO(BOOL, MSG*) { return E_NOTIMPL; }
STDMETHODIMP Tng::HasFocusIO() { return E_NOTIMPL; }

STDMETHODIMP Tng::TranslateAcceleratorIO(MSG* pMsg) {
  try {
    return HandleKey(state_, pMsg);
  } catch (...) {  // nothing may be thrown into Zarvo
    return E_OUTOFMEMORY;
  }
}

// --- IHostPlugin -----------------------------------------------------------

int32_t Tng::Start(int32_t) {
  if (state_.window) return 1;
  const char* windowClass = MessageWindowClass(WindowProc);
  if (!windowClass) return 1;
  // One pixel, never shown: it only carries the idle timer.
  state_.window = CreateWindowExA(0, windowClass, nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  ModuleInstance(), this);
  return 1;
}

int32_t Tng::Stop() {
  DestroyMessageWindow();
  return 1;
}

int32_t Tng::Configure(int32_t) {
  zarvo::ShowMessage("No config currently", "Thanks", MB_OK);
  return 1;
}

void Tng::DestroyMessageWindow() {
  HWND window = state_.window;
  if (!window) return;
  state_.window = nullptr;
  // Detached first: even if the window cannot be destroyed from here, its
  // procedure no longer reaches this object.
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

LRESULT CALLBACK Tng::WindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Tng* self = reinterpret_cast<Tng*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (uMsg) {
    case WM_TIMER:
      // Every timer of this window is the idle timer.
      if (self) {
        try {
          HandleIdleTimer(self->state_);
        } catch (...) {
        }
      } else {
        KillTimer(hwnd, wParam);
      }
      return 0;
    case WM_NCDESTROY:
      if (self) {
        self->state_.window = nullptr;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

}  // namespace quennel
