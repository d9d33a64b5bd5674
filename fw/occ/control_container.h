// Hosts the OLE controls of one dialog. The dialog creates its template
// without the control items (SplitDialogTemplate), then at WM_INITDIALOG,
// before its own initialisation, hands the items and their DLGINIT streams to
// CreateControls; when that fails the dialog ends with -1.
//
// COM must be initialised on the thread (OleInitialize) by the application
// before any dialog with controls is created; the container does not do it.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <vector>

#include "fw/com.h"
#include "fw/occ/dialog_template.h"
#include "fw/occ/dlginit.h"

namespace fw::occ {

// Finds the class object (IClassFactory) of an in-process control.
using ClassObjectLookup = std::function<HRESULT(REFCLSID clsid, REFIID iid, void** out)>;

// CoGetClassObject with CLSCTX_INPROC_SERVER.
HRESULT DefaultClassObjectLookup(REFCLSID clsid, REFIID iid, void** out);

class ControlContainer {
 public:
  explicit ControlContainer(ClassObjectLookup lookup = DefaultClassObjectLookup);
  ~ControlContainer();
  ControlContainer(const ControlContainer&) = delete;
  ControlContainer& operator=(const ControlContainer&) = delete;

  // Creates, loads and in-place activates every item in `dialog`, in template
  // order; each control's window gets the item's id, its tab stop, visibility
  // and enabled state, and its place in the tab order. Controls from an
  // earlier call are destroyed first. On any failure the controls created so
  // far are destroyed again and the result is false.
  bool CreateControls(HWND dialog, const std::vector<ControlItem>& items, const ControlStreams& streams);

  // Deactivates, closes and releases every control. Safe to call again; the
  // destructor calls it.
  void DestroyControls() noexcept;

  // The control's dispatch interface, or null. The pointer stays valid until
  // DestroyControls; AddRef it to keep it longer.
  IDispatch* Dispatch(int controlId) const noexcept;
  IDispatch* DispatchOf(HWND controlWindow) const noexcept;
  // The control's window, or null.
  HWND Window(int controlId) const noexcept;
  std::size_t Count() const noexcept;

 private:
  struct Control;
  bool CreateOne(HWND dialog, const ControlItem& item, const ControlStreams& streams, HWND insertAfter);
  static void Teardown(Control& c) noexcept;

  ClassObjectLookup lookup_;
  std::vector<Control> controls_;
};

}  // namespace fw::occ
