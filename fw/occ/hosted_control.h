// HostedControl: the program's side of one ActiveX control a dialog hosts,
// called through the control's automation interface by DISPID. A wrapper
// class derives from it and gives the control's members their C++ types.
//
// The dialog's container owns the control and its window. The dialog's data
// exchange (DDX_Control) attaches the interface, and the dialog detaches it
// before its controls go, so a wrapper never calls a control that is gone.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <utility>

#include "fw/com.h"
#include "fw/occ/dispatch.h"

namespace fw::occ {

class HostedControl {
 public:
  HostedControl() = default;
  HostedControl(const HostedControl&) = delete;
  HostedControl& operator=(const HostedControl&) = delete;

  void Attach(com::Ptr<IDispatch> disp) { dispatch_ = std::move(disp); }
  void Detach() { dispatch_.reset(); }
  bool IsAttached() const { return static_cast<bool>(dispatch_); }

 protected:
  ~HostedControl() = default;

  // Calls by DISPID as occ::InvokeHelper and occ::SetProperty do (dispatch.h);
  // E_NOINTERFACE while no control is attached.
  template <class... Args>
  HRESULT InvokeHelper(DISPID id, WORD flags, VARTYPE vtRet, void* result, const Args&... args) const {
    return dispatch_ ? occ::InvokeHelper(dispatch_.get(), id, flags, vtRet, result, args...) : E_NOINTERFACE;
  }
  template <class T>
  HRESULT SetProperty(DISPID id, VARTYPE vt, const T& value) const {
    return dispatch_ ? occ::SetProperty(dispatch_.get(), id, vt, value) : E_NOINTERFACE;
  }

 private:
  com::Ptr<IDispatch> dispatch_;
};

}  // namespace fw::occ
