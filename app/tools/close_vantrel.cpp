// Ends a running Vantrel the way the Escape key does: IDCANCEL to the main
// window "Computer Information" ("Computer Information - DISABLED" while
// monitoring is disabled). Used by ./run to stop the program cleanly.
// Exit code 0 when the window went away, 1 when none was found, 2 on timeout.
#include <windows.h>

int main() {
  HWND wnd = ::FindWindowA(nullptr, "Computer Information");
  if (!wnd) wnd = ::FindWindowA(nullptr, "Computer Information - DISABLED");
  if (!wnd) return 1;
  ::PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  for (int i = 0; i < 100; ++i) {
    if (!::IsWindow(wnd)) return 0;
    ::Sleep(100);
  }
  return 2;
}
