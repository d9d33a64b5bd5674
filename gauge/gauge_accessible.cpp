#include "gauge/gauge_accessible.h"

#include "fw/ole/com_guard.h"

namespace zelbo {
namespace {

constexpr HRESULT kGone = CO_E_OBJNOTCONNECTED;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Text(const AccessibleText& text, BSTR* out) {
  if (text.empty()) return S_FALSE;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

template <class T>
HRESULT Cleared(T* out) {
  if (out) *out = T{};
  return kGone;
}

HRESULT ClearedVariant(VARIANT* out) {
  if (out) ::VariantInit(out);
  return kGone;
}

}  // namespace

void* CGaugeAccessible::Find(REFIID iid) noexcept {
  if (void* p = fw::com::Match<IAccessible>(this, iid, IID_IUnknown)) return p;
  if (void* p = fw::com::Match<IAccessible>(this, iid, IID_IDispatch)) return p;
  return fw::com::Match<IAccessible>(this, iid, __uuidof(IAccessible));
}

void CGaugeAccessible::Disconnect() noexcept {
  source_ = nullptr;
  standard_.reset();
}

// ---- what the gauge answers itself ----

STDMETHODIMP CGaugeAccessible::get_accName(VARIANT child, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!source_) return kGone;
  if (!IsSelf(child)) return standard_->get_accName(child, out);
  return fw::ole::Guarded([&] { return Text(source_->AccessibleName(), out); });
}

STDMETHODIMP CGaugeAccessible::get_accValue(VARIANT child, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!source_) return kGone;
  if (!IsSelf(child)) return standard_->get_accValue(child, out);
  return fw::ole::Guarded([&] { return Text(source_->AccessibleValue(), out); });
}

STDMETHODIMP CGaugeAccessible::get_accRole(VARIANT child, VARIANT* out) {
  if (!out) return E_POINTER;
  ::VariantInit(out);
  if (!source_) return kGone;
  if (!IsSelf(child)) return standard_->get_accRole(child, out);
  out->vt = VT_I4;
  out->lVal = ROLE_SYSTEM_PROGRESSBAR;
  return S_OK;
}

// The standard object's states (focus, visibility) with the gauge's own: it
// is read-only, and unavailable rather than focusable while disabled.
STDMETHODIMP CGaugeAccessible::get_accState(VARIANT child, VARIANT* out) {
  if (!out) return E_POINTER;
  ::VariantInit(out);
  if (!source_) return kGone;
  if (!IsSelf(child)) return standard_->get_accState(child, out);
  VARIANT standard;
  ::VariantInit(&standard);
  LONG state = SUCCEEDED(standard_->get_accState(child, &standard)) && standard.vt == VT_I4 ? standard.lVal : 0;
  state |= STATE_SYSTEM_READONLY;
  if (!source_->AccessibleEnabled()) state = (state & ~STATE_SYSTEM_FOCUSABLE) | STATE_SYSTEM_UNAVAILABLE;
  out->vt = VT_I4;
  out->lVal = state;
  return S_OK;
}

STDMETHODIMP CGaugeAccessible::put_accName(VARIANT, BSTR) { return source_ ? E_NOTIMPL : kGone; }
STDMETHODIMP CGaugeAccessible::put_accValue(VARIANT, BSTR) { return source_ ? E_NOTIMPL : kGone; }

// ---- the rest from the platform's standard object ----

STDMETHODIMP CGaugeAccessible::GetTypeInfoCount(UINT* count) {
  return standard_ ? standard_->GetTypeInfoCount(count) : Cleared(count);
}
STDMETHODIMP CGaugeAccessible::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) {
  return standard_ ? standard_->GetTypeInfo(index, lcid, out) : Cleared(out);
}
STDMETHODIMP CGaugeAccessible::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) {
  return standard_ ? standard_->GetIDsOfNames(iid, names, count, lcid, ids) : kGone;
}
STDMETHODIMP CGaugeAccessible::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* dp, VARIANT* result,
                                      EXCEPINFO* excep, UINT* argErr) {
  return standard_ ? standard_->Invoke(id, iid, lcid, flags, dp, result, excep, argErr) : kGone;
}
STDMETHODIMP CGaugeAccessible::get_accParent(IDispatch** out) {
  return standard_ ? standard_->get_accParent(out) : Cleared(out);
}
STDMETHODIMP CGaugeAccessible::get_accChildCount(LONG* out) {
  return standard_ ? standard_->get_accChildCount(out) : Cleared(out);
}
STDMETHODIMP CGaugeAccessible::get_accChild(VARIANT child, IDispatch** out) {
  return standard_ ? standard_->get_accChild(child, out) : Cleared(out);
}
STDMETHODIMP CGaugeAccessible::get_accDescription(VARIANT child, BSTR* out) {
  return standard_ ? standard_->get_accDescription(child, out) : Cleared(out);
}
STDMETHODIMP CGaugeAccessible::get_accHelp(VARIANT child, BSTR* out) {
  return standard_ ? standard_->get_accHelp(child, out) : Cleared(out);
}
STDMETHODIMP CGaugeAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
  if (standard_) return standard_->get_accHelpTopic(file, child, topic);
  Cleared(topic);
  return Cleared(file);
}
STDMETHODIMP CGaugeAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* out) {
  return standard_ ? standard_->get_accKeyboardShortcut(child, out) : Cleared(out);
}
STDMETHODIMP CGaugeAccessible::get_accFocus(VARIANT* out) {
  return standard_ ? standard_->get_accFocus(out) : ClearedVariant(out);
}
STDMETHODIMP CGaugeAccessible::get_accSelection(VARIANT* out) {
  return standard_ ? standard_->get_accSelection(out) : ClearedVariant(out);
}
STDMETHODIMP CGaugeAccessible::get_accDefaultAction(VARIANT child, BSTR* out) {
  return standard_ ? standard_->get_accDefaultAction(child, out) : Cleared(out);
}
STDMETHODIMP CGaugeAccessible::accSelect(LONG flags, VARIANT child) {
  return standard_ ? standard_->accSelect(flags, child) : kGone;
}
STDMETHODIMP CGaugeAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  if (standard_) return standard_->accLocation(left, top, width, height, child);
  Cleared(left), Cleared(top), Cleared(width);
  return Cleared(height);
}
STDMETHODIMP CGaugeAccessible::accNavigate(LONG dir, VARIANT start, VARIANT* end) {
  return standard_ ? standard_->accNavigate(dir, start, end) : ClearedVariant(end);
}
STDMETHODIMP CGaugeAccessible::accHitTest(LONG x, LONG y, VARIANT* out) {
  return standard_ ? standard_->accHitTest(x, y, out) : ClearedVariant(out);
}
STDMETHODIMP CGaugeAccessible::accDoDefaultAction(VARIANT child) {
  return standard_ ? standard_->accDoDefaultAction(child) : kGone;
}

// ---- the label ----

AccessibleText LabelBefore(HWND control) {
  HWND before = ::GetWindow(control, GW_HWNDPREV);
  while (before && !(::GetWindowLongW(before, GWL_STYLE) & WS_VISIBLE)) before = ::GetWindow(before, GW_HWNDPREV);
  if (!before) return {};
  wchar_t cls[16] = {};
  ::GetClassNameW(before, cls, 16);
  const LONG type = ::GetWindowLongW(before, GWL_STYLE) & SS_TYPEMASK;
  const bool text =
      type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
  if (_wcsicmp(cls, L"Static") != 0 || !text) return {};
  AccessibleText raw(static_cast<std::size_t>(::GetWindowTextLengthW(before)) + 1, L'\0');
  raw.resize(static_cast<std::size_t>(::GetWindowTextW(before, raw.data(), static_cast<int>(raw.size()))));
  // "&&" stands for one ampersand; a single one marks the mnemonic.
  AccessibleText label;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == L'&' && i + 1 < raw.size()) ++i;
    label.push_back(raw[i]);
  }
  return label;
}

}  // namespace zelbo
