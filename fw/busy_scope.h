// BusyScope: the wait cursor and the mouse captured to one window for the
// length of a long operation on the user-interface thread.
#pragma once

#include "fw/wnd.h"

namespace fw {

class BusyScope {
 public:
  explicit BusyScope(HWND wnd) : wnd_(wnd) {
    CWnd::BeginWaitCursor();
    ::SetCapture(wnd);
  }
  ~BusyScope() {
    // Only our own capture: a box opened meanwhile may hold the mouse now.
    if (::GetCapture() == wnd_) ::ReleaseCapture();
    CWnd::EndWaitCursor();
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  HWND wnd_;
};

}  // namespace fw
