// CColorDialog: the platform's colour chooser (ChooseColor), run modally with
// a preselected colour.
#pragma once

#include <windows.h>

#include "fw/wnd.h"

namespace fw {

class CColorDialog {
 public:
  // The chooser is owned by the window the user is working in (GetSafeOwner).
  CColorDialog(COLORREF initial, DWORD flags);

  // IDOK when a colour was chosen, IDCANCEL otherwise.
  INT_PTR DoModal();
  // The chosen colour after OK; the preselected one after any other end,
  // whatever the chooser showed before it was cancelled.
  COLORREF GetColor() const { return color_; }

 private:
  COLORREF initial_;
  COLORREF color_;
  DWORD flags_;
  COLORREF m_custom[16];
};

}  // namespace fw
