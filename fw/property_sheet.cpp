#include "fw/property_sheet.h"

#include <commctrl.h>

#include <utility>

namespace fw {

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId), m_pageTemplate(templateId) {}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_INITDIALOG) return FALSE;
  // The page object comes with the sheet's copy of its page record. Bound
  // here, it sits in front of the dialog manager from now on, so every later
  // message reaches its OnMessage and this procedure sees no other; the
  // initialisation itself goes round once more to reach it the same way.
  auto* page = reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lp)->lParam);
  if (!page || !page->SubclassWindow(wnd)) return TRUE;
  return ::SendMessageA(wnd, WM_INITDIALOG, wp, lp);
}

LRESULT CPropertyPage::OnNotify(NMHDR* header) {
  if (header && header->hwndFrom == ::GetParent(m_hWnd)) return OnSheetNotify(*header);
  return CDialog::OnNotify(header);
}

LRESULT CPropertyPage::OnSheetNotify(const NMHDR& hdr) {
  // The answer goes straight back to the sheet: this object stands in front
  // of the dialog manager, so no DWLP_MSGRESULT is involved.
  switch (hdr.code) {
    case PSN_KILLACTIVE:
      // FALSE lets the page go.
      return UpdateData(TRUE) ? FALSE : TRUE;
    case PSN_APPLY:
      // lParam is set for OK; the sheet has no Apply button.
      if (reinterpret_cast<const PSHNOTIFY&>(hdr).lParam) {
        OnOK();
        if (m_sheet) m_sheet->m_endedWithOK = true;
      }
      return PSNRET_NOERROR;
    default:
      return Default();
  }
}

CPropertySheet::CPropertySheet(std::string caption) : m_caption(std::move(caption)) {}

void CPropertySheet::AddPage(CPropertyPage* page) {
  page->m_sheet = this;
  m_pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal() {
  HINSTANCE module = ::GetModuleHandleA(nullptr);
  std::vector<PROPSHEETPAGEA> records;
  for (CPropertyPage* page : m_pages) {
    PROPSHEETPAGEA psp{};
    psp.dwSize = sizeof psp;
    psp.dwFlags = PSP_DEFAULT;
    psp.hInstance = module;
    psp.pszTemplate = MAKEINTRESOURCEA(page->m_pageTemplate);
    psp.pfnDlgProc = &CPropertyPage::PageDialogProc;
    psp.lParam = reinterpret_cast<LPARAM>(page);
    records.push_back(psp);
  }
  PROPSHEETHEADERA psh{};
  psh.dwSize = sizeof psh;
  psh.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  psh.hwndParent = GetSafeOwner(nullptr);
  psh.hInstance = module;
  psh.pszCaption = m_caption.c_str();
  psh.nPages = static_cast<UINT>(records.size());
  psh.ppsp = records.data();

  m_endedWithOK = false;
  // The platform's own result after OK depends on whether a page reported a
  // change; whether the pages were given OK is what counts here.
  const INT_PTR result = ::PropertySheetA(&psh);
  if (m_endedWithOK) return IDOK;
  return result < 0 ? -1 : IDCANCEL;
}

}  // namespace fw
