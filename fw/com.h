// COM boilerplate shared by the control module and the control container:
// reference-counted objects that start at one reference, a QueryInterface that
// checks and clears its out-parameter, a module count for DllCanUnloadNow, and
// a small owning interface pointer.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <new>
#include <utility>

#include "fw/report_caught.h"

namespace fw::com {

// Live objects plus server locks of this module.
inline std::atomic<long>& ModuleCount() {
  static std::atomic<long> count{0};
  return count;
}
inline void ModuleLock() { ++ModuleCount(); }
inline void ModuleUnlock() { --ModuleCount(); }

// Owning interface pointer.
template <class I>
class Ptr {
 public:
  Ptr() noexcept = default;
  Ptr(std::nullptr_t) noexcept {}
  // Adopts a reference the caller already holds.
  static Ptr Adopt(I* p) noexcept {
    Ptr r;
    r.p_ = p;
    return r;
  }
  explicit Ptr(I* p) noexcept : p_(p) {
    if (p_) p_->AddRef();
  }
  Ptr(const Ptr& o) noexcept : Ptr(o.p_) {}
  Ptr(Ptr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  Ptr& operator=(Ptr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~Ptr() { reset(); }

  I* get() const noexcept { return p_; }
  I* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  void reset() noexcept {
    if (I* p = std::exchange(p_, nullptr)) p->Release();
  }
  I* detach() noexcept { return std::exchange(p_, nullptr); }
  I** put() noexcept {
    reset();
    return &p_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

  template <class Q>
  Ptr<Q> As(REFIID iid) const noexcept {
    Ptr<Q> q;
    if (p_) p_->QueryInterface(iid, q.put_void());
    return q;
  }

 private:
  I* p_ = nullptr;
};

// Base for an object implementing the interfaces Ifaces. Derived supplies
//   void* Find(REFIID iid) noexcept   — the interface pointer for iid, or null.
// Objects are born with one reference owned by the creator and count in the
// module count for their whole life.
template <class Derived, class... Ifaces>
class Object : public Ifaces... {
 public:
  Object() noexcept { ModuleLock(); }
  virtual ~Object() { ModuleUnlock(); }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    void* p = static_cast<Derived*>(this)->Find(iid);
    if (!p) return E_NOINTERFACE;
    AddRef();
    *out = p;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const long n = --refs_;
    if (n == 0) delete static_cast<Derived*>(this);
    return static_cast<ULONG>(n);
  }

 private:
  std::atomic<long> refs_{1};
};

// Creates an object with its first reference; null when memory runs out,
// also when the constructor's own allocations fail (or it throws otherwise):
// callers answer E_OUTOFMEMORY and nothing escapes.
template <class T, class... Args>
Ptr<T> Make(Args&&... args) noexcept {
  try {
    return Ptr<T>::Adopt(new (std::nothrow) T(std::forward<Args>(args)...));
  } catch (...) {
    ReportCaught("com::Make");
    return Ptr<T>();
  }
}

// For Find(): yields the interface pointer when iid names I (or IUnknown).
template <class I, class T>
inline void* Match(T* self, REFIID iid, const IID& want) noexcept {
  return IsEqualIID(iid, want) ? static_cast<void*>(static_cast<I*>(self)) : nullptr;
}

}  // namespace fw::com
