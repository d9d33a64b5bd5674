// The launch baseline closest to Vantrel's own window: the main window's
// dialog template, read from the built Vantrel.exe, shown by a program that
// has nothing else. No framework, no OLE, no tray, no probes: the template's
// OLE control items become plain statics of the same size and place, and the
// program carries the same common-controls manifest.
//   BareDialog <path of Vantrel.exe>
// Escape ends it.
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "fw/occ/dialog_template.h"
#include "res/resource.h"

namespace {

std::vector<fw::occ::ControlItem> g_controls;

INT_PTR CALLBACK BareProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      for (const auto& item : g_controls) {
        RECT box{item.x, item.y, item.x + item.cx, item.y + item.cy};
        ::MapDialogRect(dlg, &box);
        ::CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, box.left, box.top, box.right - box.left,
                          box.bottom - box.top, dlg, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), nullptr,
                          nullptr);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL || LOWORD(wp) == IDOK) ::EndDialog(dlg, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  const HMODULE exe = ::LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  const HRSRC found = exe ? ::FindResourceW(exe, MAKEINTRESOURCEW(IDD_VANTREL_DIALOG), MAKEINTRESOURCEW(5)) : nullptr;
  const HGLOBAL loaded = found ? ::LoadResource(exe, found) : nullptr;
  if (!loaded) return 1;
  auto split = fw::occ::SplitDialogTemplate(::LockResource(loaded), ::SizeofResource(exe, found));
  if (!split) return 1;
  g_controls = std::move(split->controls);
  return static_cast<int>(::DialogBoxIndirectParamW(
      ::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(split->dialog.data()), nullptr, BareProc, 0));
}
