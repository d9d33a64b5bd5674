// The two notices of the tray: "Close Notification" when the main window is
// closed to the tray, "Disable Notification" when monitoring is switched off.
// Each has "Do not show me this again.", which fills the setting it was given
// however the notice ends (OK, Escape or the close box); the settings reach
// the store at the next save.
#pragma once

#include "fw/dialog.h"

namespace vantrel {

class CNoticeDlg : public fw::CDialog {
 public:
  // `dontShowAgain` is the setting the check box shows and sets.
  CNoticeDlg(UINT templateId, bool& dontShowAgain);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(fw::CDataExchange* dx) override;
  // The check box is read as the notice goes.
  void OnDestroy() override;

 private:

  int m_nDontShowAgain = 0;
  bool& m_setting;
};

class CCloseNoticeDlg : public CNoticeDlg {
 public:
  explicit CCloseNoticeDlg(bool& closeNotify);

 protected:
  // The program's arrow over the whole notice.
  LRESULT OnSetCursor(HWND under, UINT hitTest, UINT mouseMsg) override;
};

class CDisableNoticeDlg : public CNoticeDlg {
 public:
  explicit CDisableNoticeDlg(bool& disableNotify);
};

}  // namespace vantrel
