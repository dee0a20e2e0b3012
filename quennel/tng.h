// The TNG object: one per Zarvo browser window. It answers IUnknown,
// ITNG/IDispatch, IObjectWithSite, IInputObject and Zarvo's IHostPlugin,
// and can be aggregated.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <shobjidl.h>

#include "engine.h"
#include "host_plugin.h"
#include "quennel_h.h"

namespace quennel {

class Tng final : public ITNG, public IObjectWithSite, public IInputObject, public IHostPlugin {
 public:
  // A new object with one reference on the IUnknown that its caller gets
  // back: the object's own for a standalone object, its inner
  // (non-delegating) one when pOuter aggregates it.
  static HRESULT Create(IUnknown* pOuter, IUnknown** ppUnknown);

  // IUnknown, delegated to the controlling unknown.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch (ITNG has no members of its own).
  STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
  STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                             DISPID* rgDispId) override;
  STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                      DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                      UINT* puArgErr) override;

  // IObjectWithSite
  STDMETHODIMP SetSite(IUnknown* pUnkSite) override;
  STDMETHODIMP GetSite(REFIID riid, void** ppvSite) override;

  // IInputObject
  STDMETHODIMP UIActivateIO(BOOL fActivate, MSG* pMsg) override;
  STDMETHODIMP HasFocusIO() override;
  STDMETHODIMP TranslateAcceleratorIO(MSG* pMsg) override;

  // IHostPlugin: plain member functions (see host_plugin.h).
  int32_t Start(int32_t lUnused) override;
  int32_t Stop() override;
  int32_t Configure(int32_t lUnused) override;

  // For tests inside the process: the engine's view of this object.
  const TngState& State() const { return state_; }

 private:
  // The non-delegating IUnknown: the object's identity and lifetime.
  class Inner final : public IUnknown {
   public:
    explicit Inner(Tng* pOwner) : owner_(pOwner) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

   private:
    Tng* owner_;
  };

  explicit Tng(IUnknown* pOuter);
  ~Tng();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  void DestroyMessageWindow();
  ITypeInfo* TypeInfo();

  Inner inner_;
  IUnknown* outer_;       // the controlling unknown: pOuter, or &inner_
  LONG refs_ = 1;         // held by the creator
  TngState state_;
  ITypeInfo* typeInfo_ = nullptr;
};

}  // namespace quennel
