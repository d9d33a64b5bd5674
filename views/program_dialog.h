// The program's information windows and its main window: labels and lists in
// the user's text colours (the colour rule), the program's arrow over them
// (the cursor rule). A window of this kind overrides only what it adds.
#pragma once

#include "fw/dialog.h"
#include "views/colour_rule.h"
#include "views/hand_controls.h"

namespace vantrel {

class CProgramDialog : public fw::CDialog {
 protected:
  using fw::CDialog::CDialog;

  // The colours the rule gives labels and lists now.
  virtual TextColours Colours() const = 0;

  LRESULT OnCtlColor(UINT msg, HDC dc, HWND) override {
    return ApplyColourRule(msg, dc, Colours(), [this] { return Default(); });
  }
  LRESULT OnSetCursor(HWND, UINT, UINT) override {
    return ApplyCursorRule(IDCUR_ARROW, [this] { return Default(); });
  }
};

}  // namespace vantrel
