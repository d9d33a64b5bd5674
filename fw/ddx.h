// Dialog data exchange: moves values between dialog controls and members.
// UpdateData(FALSE) fills the controls, UpdateData(TRUE) reads them back.
#pragma once

#include <string>

#include "fw/dialog.h"

namespace fw {

class CDataExchange {
 public:
  CDataExchange(CDialog* dlg, BOOL saveAndValidate) : m_pDlgWnd(dlg), m_bSaveAndValidate(saveAndValidate) {}
  CDialog* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
  HWND Item(int id) const { return m_pDlgWnd->GetDlgItem(id); }
};

void DDX_Text(CDataExchange* dx, int id, std::string& value);
// A text from outside the program (a path, a name), kept whole in UTF-16.
void DDX_Text(CDataExchange* dx, int id, std::wstring& value);
// Check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
// Radio group starting at `id` (the WS_GROUP button): index of the checked
// button among the group's radio buttons, -1 when none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
// Binds `control` to dialog item `id` once, by subclassing the item.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Attaches hosted ActiveX control `id` to `control` once.
void DDX_Control(CDataExchange* dx, int id, occ::HostedControl& control);

}  // namespace fw
