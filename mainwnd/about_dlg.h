// CAboutDlg: "About Vantrel", the program's icon, name and version beside a
// short clip that plays once when the box opens.
#pragma once

#include "fw/dialog.h"

namespace vantrel {

class CAboutDlg : public fw::CDialog {
 public:
  CAboutDlg();

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(fw::CDataExchange* dx) override;
  // The program's arrow over the whole box.
  LRESULT OnSetCursor(HWND under, UINT hitTest, UINT mouseMsg) override;

 private:
  fw::CWnd m_animate;
};

}  // namespace vantrel
