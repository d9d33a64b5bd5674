// Controls that show the program's own cursors. The cursor rule: load cursor
// resource N of the program; when that works make it the current cursor and
// report the request handled, otherwise hand it to the default handling.
#pragma once

#include "fw/wnd.h"
#include "res/resource.h"

namespace vantrel {

// Applies the cursor rule; `fallback` runs the default handling.
template <class Fallback>
LRESULT ApplyCursorRule(int cursorId, Fallback&& fallback) {
  HCURSOR cursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(cursorId));
  if (!cursor) return fallback();
  // Shared resource cursor: nothing to release.
  ::SetCursor(cursor);
  return TRUE;
}

// A control subclass whose only addition is the cursor rule.
template <int CursorId>
class CCursorControl : public fw::CWnd {
 protected:
  LRESULT OnSetCursor(HWND, UINT, UINT) override {
    return ApplyCursorRule(CursorId, [this] { return Default(); });
  }
};

class CHandComboBox : public CCursorControl<IDCUR_POINTING_HAND> {};
class CHandListBox : public CCursorControl<IDCUR_POINTING_HAND> {};
class CHandSliderCtrl : public CCursorControl<IDCUR_OPEN_HAND> {};

}  // namespace vantrel
