#include "fw/ddx.h"

#include "fw/occ/hosted_control.h"
#include "fw/window_text.h"

namespace fw {

namespace {

std::string WindowText(HWND item) {
  const int len = ::GetWindowTextLengthA(item);
  std::string text(static_cast<size_t>(len) + 1, '\0');
  const int got = ::GetWindowTextA(item, text.data(), len + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  HWND item = dx->Item(id);
  if (!item) return;
  if (dx->m_bSaveAndValidate) {
    value = WindowText(item);
  } else {
    SetWindowTextIfChanged(item, value);
  }
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
  HWND item = dx->Item(id);
  if (!item) return;
  if (dx->m_bSaveAndValidate) {
    value = WindowTextW(item);
  } else {
    SetWindowTextIfChanged(item, value);
  }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND item = dx->Item(id);
  if (!item) return;
  if (dx->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessageA(item, BM_GETCHECK, 0, 0));
  } else {
    const int state = (value >= 0 && value <= 2) ? value : 0;
    ::SendMessageA(item, BM_SETCHECK, static_cast<WPARAM>(state), 0);
  }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  HWND item = dx->Item(id);
  if (!item) return;
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  // Walk the group: from the first button to the next WS_GROUP. Only radio
  // buttons count; other controls placed inside the group are passed over.
  for (HWND b = item; b; b = ::GetWindow(b, GW_HWNDNEXT)) {
    if (b != item && (::GetWindowLongA(b, GWL_STYLE) & WS_GROUP)) break;
    if (!(::SendMessageA(b, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
    if (dx->m_bSaveAndValidate) {
      if (::SendMessageA(b, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      ::SendMessageA(b, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++index;
  }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!control.m_hWnd) control.SubclassDlgItem(id, dx->m_pDlgWnd);
}

void DDX_Control(CDataExchange* dx, int id, occ::HostedControl& control) {
  if (!control.IsAttached()) dx->m_pDlgWnd->AttachHostedControl(id, control);
}

}  // namespace fw
