#include "fw/ole/ole_dispatch.h"

#include "fw/handle.h"

namespace fw::ole {

HRESULT CheckCall(MemberKind kind, UINT paramCount, WORD flags, const DISPPARAMS* dp, bool* put) {
  *put = false;
  if (!dp) return E_INVALIDARG;
  if (kind == MemberKind::Method) {
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (dp->cNamedArgs) return DISP_E_NONAMEDARGS;
    return dp->cArgs == paramCount ? S_OK : DISP_E_BADPARAMCOUNT;
  }
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (dp->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    if (dp->cNamedArgs != 1 || !dp->rgdispidNamedArgs || dp->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
      return DISP_E_PARAMNOTOPTIONAL;
    *put = true;
    return S_OK;
  }
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (dp->cNamedArgs) return DISP_E_NONAMEDARGS;
  return dp->cArgs == 0 ? S_OK : DISP_E_BADPARAMCOUNT;
}

HRESULT GetArg(const DISPPARAMS* dp, UINT position, VARTYPE vt, VARIANT* out, UINT* argErr) {
  // A property put carries its value as the named argument DISPID_PROPERTYPUT.
  if (dp->cNamedArgs == 1 && dp->rgdispidNamedArgs && dp->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT && position == 0) {
    const HRESULT hr = ::VariantChangeType(out, &dp->rgvarg[0], 0, vt);
    if (FAILED(hr) && argErr) *argErr = 0;
    return FAILED(hr) ? (hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH) : S_OK;
  }
  return ::DispGetParam(const_cast<DISPPARAMS*>(dp), position, vt, out, argErr);
}

HRESULT ArgShort(const DISPPARAMS* dp, UINT position, short* out, UINT* argErr) {
  UniqueVariant v;
  const HRESULT hr = GetArg(dp, position, VT_I2, v.get(), argErr);
  if (SUCCEEDED(hr)) *out = V_I2(v.get());
  return hr;
}

HRESULT ArgBool(const DISPPARAMS* dp, UINT position, bool* out, UINT* argErr) {
  UniqueVariant v;
  const HRESULT hr = GetArg(dp, position, VT_BOOL, v.get(), argErr);
  if (SUCCEEDED(hr)) *out = V_BOOL(v.get()) != VARIANT_FALSE;
  return hr;
}

HRESULT ArgColour(const DISPPARAMS* dp, UINT position, DWORD* out, UINT* argErr) {
  UniqueVariant v;
  HRESULT hr = GetArg(dp, position, VT_I4, v.get(), argErr);
  if (SUCCEEDED(hr)) {
    *out = static_cast<DWORD>(V_I4(v.get()));
    return hr;
  }
  if (hr != DISP_E_OVERFLOW) return hr;
  hr = GetArg(dp, position, VT_UI4, v.put(), argErr);
  if (SUCCEEDED(hr)) *out = V_UI4(v.get());
  return hr;
}

}  // namespace fw::ole
