// The gauge's object for assistive technology. The platform's standard object
// for the control's window supplies location, parent, focus and navigation;
// this one answers for the gauge itself: a progress bar whose value is the
// percentage it shows, named by its host, read-only.
//
// A reader may keep the object after the control is gone: the control
// disconnects it first, and from then on every call answers
// CO_E_OBJNOTCONNECTED without touching the control.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <vector>

#include "fw/com.h"

namespace zelbo {

// Text for readers, UTF-16 without a terminator. (Not std::wstring: that
// would link the library's whole wide-string code into the module.)
using AccessibleText = std::vector<wchar_t>;

// What the object asks of its control while connected.
class AccessibleSource {
 public:
  virtual AccessibleText AccessibleValue() const = 0;
  virtual AccessibleText AccessibleName() const = 0;
  virtual bool AccessibleEnabled() const = 0;

 protected:
  ~AccessibleSource() = default;
};

class CGaugeAccessible final : public fw::com::Object<CGaugeAccessible, IAccessible> {
 public:
  CGaugeAccessible(const AccessibleSource* source, fw::com::Ptr<IAccessible> standard) noexcept
      : source_(source), standard_(std::move(standard)) {}
  void* Find(REFIID iid) noexcept;
  // The control is going: forget it and the standard object.
  void Disconnect() noexcept;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* dp, VARIANT* result, EXCEPINFO* excep,
                      UINT* argErr) override;
  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** out) override;
  STDMETHODIMP get_accChildCount(LONG* out) override;
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override;
  STDMETHODIMP get_accName(VARIANT child, BSTR* out) override;
  STDMETHODIMP get_accValue(VARIANT child, BSTR* out) override;
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* out) override;
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* out) override;
  STDMETHODIMP get_accState(VARIANT child, VARIANT* out) override;
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* out) override;
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* out) override;
  STDMETHODIMP get_accFocus(VARIANT* out) override;
  STDMETHODIMP get_accSelection(VARIANT* out) override;
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* out) override;
  STDMETHODIMP accSelect(LONG flags, VARIANT child) override;
  STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
  STDMETHODIMP accNavigate(LONG dir, VARIANT start, VARIANT* end) override;
  STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* out) override;
  STDMETHODIMP accDoDefaultAction(VARIANT child) override;
  STDMETHODIMP put_accName(VARIANT child, BSTR name) override;
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override;

 private:
  const AccessibleSource* source_;
  fw::com::Ptr<IAccessible> standard_;
};

// The text of the static control placed just before `control` among its
// siblings (the tab order), as the platform labels its own controls, with
// its mnemonic marker taken out; empty when the window before it is not a
// static text.
AccessibleText LabelBefore(HWND control);

}  // namespace zelbo
