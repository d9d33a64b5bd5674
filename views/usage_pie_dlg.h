// CUsagePieDlg: the modeless drive usage pie. The main window creates it
// hidden, keeps its drive letter and figures current, shows it beside itself
// on the Pie button and moves it along when it moves. Its Close button (and
// Enter and Escape) only hide it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "fw/dialog.h"
#include "fw/handle.h"
#include "views/pie_geometry.h"

namespace vantrel {

class CUsagePieDlg : public fw::CDialog {
 public:
  CUsagePieDlg();

  // The letter of the heading line; takes effect at the next paint.
  void SetDriveLetter(char letter) { m_chDrive = letter; }
  // The drive's free space and total size in any one unit; a total of 0 is
  // the no-disk state. Repaints the whole window.
  void SetValues(std::int64_t free, std::int64_t total);
  // Moves the window beside its owner's client rectangle (screen coordinates),
  // within the work area of the owner's monitor.
  void PlaceBeside(const RECT& owner);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnPaint() override;

 private:
  char m_chDrive = ' ';
  PieValue m_value;  // the no-disk state or the boundary angle
  PieLayout m_layout;
  fw::UniqueFont m_font;
};

}  // namespace vantrel
