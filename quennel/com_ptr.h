// A small owning interface pointer: releases what it holds, so that every
// reference the engine takes from the browser is given back on every path.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace quennel {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      Reset();
      p_ = o.p_;
      o.p_ = nullptr;
    }
    return *this;
  }
  ~ComPtr() { Reset(); }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For out parameters: whatever the call leaves here is owned afterwards,
  // even when the call reports a failure.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  void Reset() {
    T* p = p_;
    p_ = nullptr;
    if (p) p->Release();
  }


 private:
  T* p_ = nullptr;
};

// QueryInterface into a new owning pointer; empty when p is null, the call
// fails or it yields nothing.
template <class T, class P>
ComPtr<T> QueryAs(P* p) {
  ComPtr<T> r;
  if (p) {
    HRESULT hr = p->QueryInterface(__uuidof(T), r.PutVoid());
    if (FAILED(hr)) r.Reset();
  }
  return r;
}

// A BSTR that frees itself.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const wchar_t* s) : s_(SysAllocString(s)) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(s_); }
  BSTR Get() const { return s_; }
  BSTR* Put() {
    SysFreeString(s_);
    s_ = nullptr;
    return &s_;
  }
  UINT Length() const { return SysStringLen(s_); }

 private:
  BSTR s_ = nullptr;
};

}  // namespace quennel
