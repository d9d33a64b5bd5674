#include "app/vantrel_app.h"

#include "app/app_profile_store.h"
#include "app/startup_splash.h"
#include "mainwnd/vantrel_dlg.h"

namespace vantrel {

// Built before the entry point runs; the executable's base name names it.
CVantrelApp theApp;

BOOL CVantrelApp::InitInstance() {
  // OLE and control hosting are ready before any dialog exists (entry point).
  fw::CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  // The command line decides only whether the splash shows.
  CStartupSplash::EnableSplash(cmdInfo.m_bShowSplash);

  SetRegistryKey("Quorvale");

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
