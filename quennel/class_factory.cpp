// The class factory of TNG. It lives as long as the module: its own
// references do not keep the library loaded, only LockServer does.
#include <new>

#include "module.h"
#include "quennel_h.h"
#include "server.h"
#include "tng.h"

namespace quennel {

namespace {

class TngFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *ppv = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    // An aggregated object hands its outer object only its inner IUnknown.
    if (pOuter && riid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    IUnknown* unknown = nullptr;
    HRESULT hr = Tng::Create(pOuter, &unknown);
    if (FAILED(hr)) return hr;
    hr = unknown->QueryInterface(riid, ppv);
    unknown->Release();
    return hr;
  }

  STDMETHODIMP LockServer(BOOL fLock) override {
    if (fLock)
      LockModule();
    else
      UnlockModule();
    return S_OK;
  }
};

TngFactory g_factory;

}  // namespace

HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (rclsid != CLSID_TNG) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, ppv);
}

HRESULT CanUnloadNow() { return ModuleLockCount() == 0 ? S_OK : S_FALSE; }

}  // namespace quennel
