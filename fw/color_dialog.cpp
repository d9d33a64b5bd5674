#include "fw/color_dialog.h"

#include <commdlg.h>

namespace fw {

CColorDialog::CColorDialog(COLORREF initial, DWORD flags) : m_initial(initial), m_color(initial), m_flags(flags) {
  for (COLORREF& c : m_custom) c = RGB(255, 255, 255);
}

INT_PTR CColorDialog::DoModal() {
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = GetSafeOwner(nullptr);
  cc.rgbResult = m_initial;
  cc.lpCustColors = m_custom;
  cc.Flags = m_flags | CC_RGBINIT;
  // The record's colour is defined only after OK: after Cancel it may hold
  // whatever the chooser last showed.
  const bool chosen = ::ChooseColorA(&cc) != FALSE;
  m_color = chosen ? cc.rgbResult : m_initial;
  return chosen ? IDOK : IDCANCEL;
}

}  // namespace fw
