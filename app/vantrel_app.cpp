#include "app/vantrel_app.h"

#include "app/app_profile_store.h"
#include "app/startup_splash.h"
#include "fw/occ/module_manifest.h"
#include "mainwnd/vantrel_dlg.h"

namespace vantrel {

// Built before the entry point runs; the executable's base name names it.
CVantrelApp theApp;

BOOL CVantrelApp::InitInstance() {
  // A drive probed without its medium (a card reader with no card, an empty
  // CD-ROM drive) fails quietly instead of raising the system's error box.
  ::SetErrorMode(::SetErrorMode(0) | SEM_FAILCRITICALERRORS);
  // OLE and control hosting are ready before any dialog exists (entry point).
  fw::CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  // The command line decides only whether the splash shows.
  CStartupSplash::EnableSplash(cmdInfo.m_bShowSplash);

  SetRegistryKey("Quorvale");

  // The gauges come from the Zelbo.ocx beside the program, through its own
  // manifest, registered or not: a portable copy needs no registration, and
  // a copy of another version registered elsewhere does not take its place.
  // The module names its classes in resource 2, which the loader's probing
  // of private assemblies never reads in an .ocx, so the program makes the
  // context itself rather than naming the module in its own manifest.
  const fw::occ::ModuleManifestScope gauges(L"Zelbo.ocx");

  // The main window loads the record from the store, hands it to its parts
  // and writes it back when it is destroyed.
  AppProfileStore store(*this);
  CVantrelDlg dlg(m_settings, store, m_hInstance);
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  // No message loop of the application's own: the program ends here.
  return FALSE;
}

}  // namespace vantrel
