// The program's entry point: hands control to the one application object.
#include <windows.h>
#include <ole2.h>
#include <commctrl.h>

#include "fw/app.h"
#include "fw/report_caught.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  fw::CWinApp* app = fw::AfxGetApp();
  if (!app) return 1;
  // Modules loaded by name come from the system folder only, never from the
  // program's folder or the current one, where anyone may drop a module of
  // the same name beside a portable copy. The program's own module is
  // reached by its full path. Looked up, not imported: Windows 7 has the
  // call only with an update, and a missing import would stop the start.
  using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
  if (const auto setDirectories = reinterpret_cast<SetDirectoriesFn>(reinterpret_cast<void (*)()>(
          ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories"))))
    setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Dialog templates name common controls (progress bars, tooltips, sliders,
  // trees, animations): register their classes before any dialog exists.
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  // Control hosting needs OLE on this thread before any dialog is created.
  const HRESULT ole = ::OleInitialize(nullptr);
  int rc = 0;
  try {
    app->InitApplication(instance);
    rc = app->InitInstance() ? app->Run() : app->ExitInstance();
  } catch (...) {
    fw::ReportCaught("WinMain");
    rc = 1;
  }
  if (SUCCEEDED(ole)) ::OleUninitialize();
  return rc;
}
