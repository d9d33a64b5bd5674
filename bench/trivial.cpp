// The benchmarks' baseline: the least a dialog program does. Without
// arguments it shows a dialog titled "Trivial" whose 1-second timer writes the
// seconds since start into its one text; with "/box" it shows one message box
// titled "Trivial". Escape ends either.
#include <windows.h>

#include <cstring>

#include "bench/trivial_ids.h"

namespace {

UINT g_seconds = 0;

INT_PTR CALLBACK TrivialProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      ::SetTimer(dlg, 1, 1000, nullptr);
      return TRUE;
    case WM_TIMER:
      ::SetDlgItemInt(dlg, IDC_TRIVIAL_SECONDS, ++g_seconds, FALSE);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL || LOWORD(wp) == IDOK) ::EndDialog(dlg, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
  if (std::strstr(cmdLine, "/box")) {
    ::MessageBoxA(nullptr, "Trivial", "Trivial", MB_OK);
    return 0;
  }
  return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_TRIVIAL), nullptr, TrivialProc, 0));
}
