// Controls that show the program's own cursors. The cursor rule: load cursor
// resource N of the program; when that works make it the current cursor and
// report the request handled, otherwise hand it to the default handling.
#pragma once

#include "fw/wnd.h"

namespace vantrel {

enum : int {
  kCursorHand = 146,      // pointing hand: lists, combo boxes, the tree
  kCursorOpenHand = 148,  // open hand: sliders
  kCursorArrow = 149,     // the program's arrow: its dialog windows
};

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
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_SETCURSOR) return ApplyCursorRule(CursorId, [this] { return Default(); });
    return Default();
  }
};

class CHandComboBox : public CCursorControl<kCursorHand> {};
class CHandListBox : public CCursorControl<kCursorHand> {};
class CHandSliderCtrl : public CCursorControl<kCursorOpenHand> {};

}  // namespace vantrel
