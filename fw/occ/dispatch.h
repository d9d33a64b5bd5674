// Calls on a control's dispatch interface by DISPID, from the host side.
//
//   InvokeHelper(disp, 4, DISPATCH_METHOD, VT_EMPTY, nullptr, short(0), short(100));
//   SetProperty(disp, 2, VT_BOOL, false);
//   short pos; InvokeHelper(disp, 9, DISPATCH_METHOD, VT_I2, &pos);
//
// Arguments are given in the member's parameter order and become VARIANTs by
// their C++ type: short VT_I2, int and long VT_I4, bool VT_BOOL, unsigned char
// VT_UI1, float VT_R4, double VT_R8, const wchar_t* VT_BSTR, VARIANT a copy.
// (A Win32 BOOL is an int and travels as VT_I4: pass `b != FALSE` for VT_BOOL.)
//
// The result, when vtRet is not VT_EMPTY, is converted to vtRet and written to
// *pvRet as: VT_UI1 BYTE, VT_I2 short, VT_I4 long, VT_R4 float, VT_R8 double,
// VT_BOOL BOOL, VT_ERROR SCODE, VT_BSTR BSTR (caller frees), VT_DISPATCH
// IDispatch* and VT_UNKNOWN IUnknown* (caller releases), VT_VARIANT VARIANT
// (caller clears). *pvRet is zeroed (a VARIANT initialised) before the call, so
// a failed call leaves it empty.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <vector>

namespace fw::occ {

// VARIANTs owned for the length of one call.
class VariantList {
 public:
  explicit VariantList(std::size_t n);
  ~VariantList();
  VariantList(const VariantList&) = delete;
  VariantList& operator=(const VariantList&) = delete;

  VARIANT* data() noexcept { return v_.data(); }
  std::size_t size() const noexcept { return v_.size(); }
  VARIANT& operator[](std::size_t i) noexcept { return v_[i]; }

  // Each returns false when the value could not be stored.
  bool Set(std::size_t i, short value) noexcept;
  bool Set(std::size_t i, int value) noexcept;
  bool Set(std::size_t i, long value) noexcept;
  bool Set(std::size_t i, bool value) noexcept;
  bool Set(std::size_t i, unsigned char value) noexcept;
  bool Set(std::size_t i, float value) noexcept;
  bool Set(std::size_t i, double value) noexcept;
  bool Set(std::size_t i, const wchar_t* value) noexcept;
  bool Set(std::size_t i, const VARIANT& value) noexcept;

 private:
  std::vector<VARIANT> v_;
};

// Invokes `id` with `count` arguments given in parameter order (they are
// passed to the control in reverse, as dispatch calls expect). Property puts
// name their one value DISPID_PROPERTYPUT.
HRESULT InvokeWithArgs(IDispatch* disp, DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, VARIANT* args,
                       std::size_t count) noexcept;

template <class... Args>
HRESULT InvokeHelper(IDispatch* disp, DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const Args&... args) {
  VariantList list(sizeof...(Args));
  std::size_t i = 0;
  const bool stored = (true && ... && list.Set(i++, args));
  if (!stored) return E_OUTOFMEMORY;
  return InvokeWithArgs(disp, id, flags, vtRet, pvRet, list.data(), list.size());
}

// Puts `value`, converted to `vt`, into property `id`.
HRESULT SetPropertyVariant(IDispatch* disp, DISPID id, VARTYPE vt, const VARIANT& value) noexcept;

template <class T>
HRESULT SetProperty(IDispatch* disp, DISPID id, VARTYPE vt, const T& value) {
  VariantList list(1);
  if (!list.Set(0, value)) return E_OUTOFMEMORY;
  return SetPropertyVariant(disp, id, vt, list[0]);
}

// Reads property `id` into *pvRet as InvokeHelper does.
HRESULT GetProperty(IDispatch* disp, DISPID id, VARTYPE vtRet, void* pvRet) noexcept;

}  // namespace fw::occ
