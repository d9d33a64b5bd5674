#include "fw/occ/dispatch.h"

#include <cstring>

#include "fw/handle.h"
#include "fw/report_caught.h"

namespace fw::occ {
namespace {

// Clears the result slot for `vt`; false for a result type we cannot write.
bool ClearResult(VARTYPE vt, void* out) {
  switch (vt) {
    case VT_EMPTY:
      return true;
    case VT_UI1:
      *static_cast<BYTE*>(out) = 0;
      return true;
    case VT_I2:
      *static_cast<short*>(out) = 0;
      return true;
    case VT_I4:
      *static_cast<long*>(out) = 0;
      return true;
    case VT_R4:
      *static_cast<float*>(out) = 0;
      return true;
    case VT_R8:
      *static_cast<double*>(out) = 0;
      return true;
    case VT_BOOL:
      *static_cast<BOOL*>(out) = FALSE;
      return true;
    case VT_ERROR:
      *static_cast<SCODE*>(out) = S_OK;
      return true;
    case VT_BSTR:
      *static_cast<BSTR*>(out) = nullptr;
      return true;
    case VT_DISPATCH:
      *static_cast<IDispatch**>(out) = nullptr;
      return true;
    case VT_UNKNOWN:
      *static_cast<IUnknown**>(out) = nullptr;
      return true;
    case VT_VARIANT:
      VariantInit(static_cast<VARIANT*>(out));
      return true;
    default:
      return false;
  }
}

// Moves a result already of type `vt` into the caller's slot.
void TakeResult(VARTYPE vt, VARIANT& r, void* out) {
  switch (vt) {
    case VT_UI1:
      *static_cast<BYTE*>(out) = r.bVal;
      break;
    case VT_I2:
      *static_cast<short*>(out) = r.iVal;
      break;
    case VT_I4:
      *static_cast<long*>(out) = r.lVal;
      break;
    case VT_R4:
      *static_cast<float*>(out) = r.fltVal;
      break;
    case VT_R8:
      *static_cast<double*>(out) = r.dblVal;
      break;
    case VT_BOOL:
      *static_cast<BOOL*>(out) = r.boolVal != VARIANT_FALSE;
      break;
    case VT_ERROR:
      *static_cast<SCODE*>(out) = r.scode;
      break;
    case VT_BSTR:
      *static_cast<BSTR*>(out) = r.bstrVal;
      break;
    case VT_DISPATCH:
      *static_cast<IDispatch**>(out) = r.pdispVal;
      break;
    case VT_UNKNOWN:
      *static_cast<IUnknown**>(out) = r.punkVal;
      break;
    case VT_VARIANT:
      std::memcpy(out, &r, sizeof r);
      break;
    default:
      return;
  }
  // Ownership went to the caller.
  VariantInit(&r);
}

// Frees what a failing member put into the exception record.
struct ExcepInfo {
  EXCEPINFO e{};
  ~ExcepInfo() {
    SysFreeString(e.bstrSource);
    SysFreeString(e.bstrDescription);
    SysFreeString(e.bstrHelpFile);
  }
};

}  // namespace

VariantList::VariantList(std::size_t n) : v_(n) {
  for (VARIANT& v : v_) VariantInit(&v);
}

VariantList::~VariantList() {
  for (VARIANT& v : v_) VariantClear(&v);
}

bool VariantList::Set(std::size_t i, short value) noexcept {
  VariantClear(&v_[i]);
  v_[i].vt = VT_I2;
  v_[i].iVal = value;
  return true;
}
bool VariantList::Set(std::size_t i, int value) noexcept { return Set(i, static_cast<long>(value)); }
bool VariantList::Set(std::size_t i, long value) noexcept {
  VariantClear(&v_[i]);
  v_[i].vt = VT_I4;
  v_[i].lVal = value;
  return true;
}
bool VariantList::Set(std::size_t i, bool value) noexcept {
  VariantClear(&v_[i]);
  v_[i].vt = VT_BOOL;
  v_[i].boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return true;
}
bool VariantList::Set(std::size_t i, unsigned char value) noexcept {
  VariantClear(&v_[i]);
  v_[i].vt = VT_UI1;
  v_[i].bVal = value;
  return true;
}
bool VariantList::Set(std::size_t i, float value) noexcept {
  VariantClear(&v_[i]);
  v_[i].vt = VT_R4;
  v_[i].fltVal = value;
  return true;
}
bool VariantList::Set(std::size_t i, double value) noexcept {
  VariantClear(&v_[i]);
  v_[i].vt = VT_R8;
  v_[i].dblVal = value;
  return true;
}
bool VariantList::Set(std::size_t i, const wchar_t* value) noexcept {
  VariantClear(&v_[i]);
  BSTR s = SysAllocString(value ? value : L"");
  if (!s) return false;
  v_[i].vt = VT_BSTR;
  v_[i].bstrVal = s;
  return true;
}
bool VariantList::Set(std::size_t i, const VARIANT& value) noexcept {
  VariantClear(&v_[i]);
  return SUCCEEDED(VariantCopy(&v_[i], const_cast<VARIANT*>(&value)));
}

HRESULT InvokeWithArgs(IDispatch* disp, DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, VARIANT* args,
                       std::size_t count) noexcept {
  if (vtRet != VT_EMPTY && !pvRet) return E_POINTER;
  if (vtRet != VT_EMPTY && !ClearResult(vtRet, pvRet)) return E_INVALIDARG;
  if (!disp || (count && !args)) return E_POINTER;
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  if (put && count == 0) return DISP_E_BADPARAMCOUNT;
  try {
    // Dispatch arguments run last to first; the VARIANTs are borrowed.
    std::vector<VARIANT> reversed(args, args + count);
    for (std::size_t i = 0; i < count; ++i) reversed[i] = args[count - 1 - i];
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(count), put ? 1u : 0u};
    UniqueVariant result;
    ExcepInfo exc;
    UINT argErr = 0;
    HRESULT hr = disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                              vtRet == VT_EMPTY ? nullptr : result.get(), &exc.e, &argErr);
    if (FAILED(hr) || vtRet == VT_EMPTY) return hr;
    if (vtRet != VT_VARIANT && result.get()->vt != vtRet) {
      const HRESULT changed = VariantChangeType(result.get(), result.get(), 0, vtRet);
      if (FAILED(changed)) return changed;
    }
    TakeResult(vtRet, *result.get(), pvRet);
    return hr;
  } catch (...) {
    ReportCaught("occ::InvokeHelper");
    return E_OUTOFMEMORY;
  }
}

HRESULT SetPropertyVariant(IDispatch* disp, DISPID id, VARTYPE vt, const VARIANT& value) noexcept {
  UniqueVariant converted;
  HRESULT hr = VariantChangeType(converted.get(), const_cast<VARIANT*>(&value), 0, vt);
  if (FAILED(hr)) return hr;
  const WORD flags = (vt == VT_DISPATCH || vt == VT_UNKNOWN) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
  return InvokeWithArgs(disp, id, flags, VT_EMPTY, nullptr, converted.get(), 1);
}

HRESULT GetProperty(IDispatch* disp, DISPID id, VARTYPE vtRet, void* pvRet) noexcept {
  return InvokeWithArgs(disp, id, DISPATCH_PROPERTYGET, vtRet, pvRet, nullptr, 0);
}

}  // namespace fw::occ
