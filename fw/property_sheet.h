// CPropertySheet and CPropertyPage: the platform's modal property sheet
// (PropertySheet) over pages built from dialog resources. A page's dialog is
// created the first time its tab is shown, and the tab's title is the
// dialog's caption. Leaving a page, by another tab or by OK, takes its data
// from its controls (UpdateData). When the sheet ends with OK, every page
// that was shown gets OnOK, in tab order; Cancel, Escape and the close box run
// none. The sheet has no Apply button, so only OK commits.
#pragma once

#include <string>
#include <vector>

#include "fw/dialog.h"

namespace fw {

class CPropertySheet;

class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(UINT templateId);

 protected:
  // The sheet ended with OK and this page was shown; the default does nothing.
  void OnOK() override {}

  // The sheet's notifications go to OnSheetNotify.
  LRESULT OnNotify(NMHDR* header) override;

 private:
  friend class CPropertySheet;
  static INT_PTR CALLBACK PageDialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnSheetNotify(const NMHDR& hdr);

  UINT m_pageTemplate;
  CPropertySheet* m_sheet = nullptr;
};

class CPropertySheet {
 public:
  // The sheet is owned by the program's main window (GetSafeOwner) and opens
  // on its first page.
  explicit CPropertySheet(std::string caption);
  CPropertySheet(const CPropertySheet&) = delete;
  CPropertySheet& operator=(const CPropertySheet&) = delete;

  // Pages in tab order; each must outlive DoModal.
  void AddPage(CPropertyPage* page);

  // Runs the sheet: IDOK when it ended with OK, IDCANCEL when it ended any
  // other way, -1 when it could not be created.
  INT_PTR DoModal();

 private:
  friend class CPropertyPage;

  std::string m_caption;
  std::vector<CPropertyPage*> m_pages;
  bool m_endedWithOK = false;
};

}  // namespace fw
