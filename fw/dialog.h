// CDialog: dialogs built from dialog resources, run modally (DoModal) or
// modelessly (Create). The dialog window is bound to its object by a creation
// hook, so every message, WM_CREATE included, reaches OnMessage. Template items
// that name an ActiveX control by "{CLSID}" are created by the control
// container, loaded from the dialog's DLGINIT records, before OnInitDialog.
//
// A dialog built with no parent is owned by the program's main window
// (GetSafeOwner). DoModal runs the framework's own modal loop: the dialog is
// created modelessly, its owner is disabled until it ends, and every message
// goes through PumpMessage, so every dialog open, modal or modeless, gets its
// keyboard navigation (IsDialogMessage) whichever loop is running.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fw/wnd.h"

namespace fw {

class CDataExchange;
namespace occ {
struct DialogResource;
class ControlContainer;
class HostedControl;
}  // namespace occ

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Runs the dialog modally; returns the EndDialog result, or -1 when the
  // dialog or one of its hosted controls could not be created.
  INT_PTR DoModal();
  // Creates the dialog modelessly; false when it cannot be created.
  bool Create(UINT templateId, CWnd* parent);

  // Moves data between controls and members: FALSE fills the controls.
  bool UpdateData(BOOL saveAndValidate = TRUE);
  // Ends a modal dialog with `result` once its loop sees it; destroys a
  // modeless one.
  void EndDialog(INT_PTR result);

  // The hosted ActiveX control with dialog item id `id`, or null.
  IDispatch* ControlDispatch(int id) const;
  // Attaches `wrapper` to hosted control `id` until the dialog's window goes;
  // false when no such control is hosted.
  bool AttachHostedControl(int id, occ::HostedControl& wrapper);

 protected:
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange* dx) {}
  virtual void OnOK();
  virtual void OnCancel();
  // Once, when the modal loop first finds its queue empty: after the dialog's
  // first showing and painting (or after it was hidden before that). Work the
  // first picture does not need goes here, so the window shows sooner. A
  // modeless dialog gets it at the end of Create.
  virtual void OnFirstIdle() {}

  // WM_INITDIALOG; IDOK and IDCANCEL clicked go to OnOK and OnCancel, every
  // other command to OnCommand.
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // The hosted controls go with the dialog: a dialog that handles WM_DESTROY
  // itself calls this first.
  void OnDestroy() override;
  // Keyboard navigation: IsDialogMessage for messages to this dialog.
  bool PreTranslateMessage(MSG& msg) override;

 private:
  LRESULT HandleInitDialog();
  bool CreateFromTemplate(HWND owner);
  void RunModalLoop();

  UINT m_templateId;
  CWnd* m_parent;
  // The template without its "{CLSID}" items, which the container creates.
  std::unique_ptr<occ::DialogResource> m_template;
  std::unique_ptr<occ::ControlContainer> m_controls;
  std::vector<occ::HostedControl*> m_hostedWrappers;  // detached before the controls go
  bool m_modal = false;
  bool m_endModal = false;
  bool m_showAtIdle = false;  // the modal loop shows the dialog when it first idles
  INT_PTR m_modalResult = -1;
};

}  // namespace fw
