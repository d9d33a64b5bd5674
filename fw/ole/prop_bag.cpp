#include "fw/ole/prop_bag.h"

#include "fw/handle.h"
#include "fw/ole/wide_text.h"

namespace fw::ole {

HRESULT BagReader::Read(const char* name, VARTYPE vt, VARIANT* out) {
  UniqueVariant raw;
  V_VT(raw.get()) = vt;
  HRESULT hr = bag_->Read(WideText(name).get(), raw.get(), log_);
  if (FAILED(hr)) return hr;
  // Some bags hand back their own type: coerce here.
  return ::VariantChangeType(out, raw.get(), 0, vt);
}

bool BagReader::Long(const char* name, std::int32_t& value, std::int32_t fallback) {
  if (!Ok()) return false;
  UniqueVariant v;
  const HRESULT hr = Read(name, VT_I4, v.get());
  if (hr == E_INVALIDARG) {  // the bag does not hold this value
    value = fallback;
    return true;
  }
  if (FAILED(hr)) return Fail();
  value = V_I4(v.get());
  return true;
}

bool BagReader::Bool(const char* name, bool& value, bool fallback) {
  if (!Ok()) return false;
  UniqueVariant v;
  const HRESULT hr = Read(name, VT_BOOL, v.get());
  if (hr == E_INVALIDARG) {
    value = fallback;
    return true;
  }
  if (FAILED(hr)) return Fail();
  value = V_BOOL(v.get()) != VARIANT_FALSE;
  return true;
}

bool BagWriter::Write(const char* name, VARIANT* v) { return SUCCEEDED(bag_->Write(WideText(name).get(), v)) || Fail(); }

bool BagWriter::Long(const char* name, std::int32_t& value, std::int32_t) {
  VARIANT v;
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return Write(name, &v);
}

bool BagWriter::Bool(const char* name, bool& value, bool) {
  VARIANT v;
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return Write(name, &v);
}

}  // namespace fw::ole
