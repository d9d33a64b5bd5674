#include "app/vantrel_app.h"

#include "app/app_profile_store.h"
#include "mainwnd/vantrel_dlg.h"

namespace vantrel {

// Built before the entry point runs; the executable's base name names it.
CVantrelApp theApp;

CVantrelApp& TheApp() { return theApp; }

BOOL CVantrelApp::InitInstance() {
  // OLE and control hosting are ready before any dialog exists (entry point).
  fw::CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  m_bShowSplash = cmdInfo.m_bShowSplash;

  SetRegistryKey("Quorvale");

  CVantrelDlg dlg;
  dlg.m_hAppInstance = m_hInstance;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  // No message loop of the application's own: the program ends here.
  return FALSE;
}

void CVantrelApp::LoadSettings() {
  AppProfileStore store(*this);
  vantrel::LoadSettings(store, m_settings);
}

void CVantrelApp::SaveSettings() {
  AppProfileStore store(*this);
  vantrel::SaveSettings(store, m_settings);
}

std::optional<DriveList> CVantrelApp::LoadDriveList(int& count) {
  AppProfileStore store(*this);
  count = m_settings.driveCount;
  return vantrel::LoadDriveList(store, m_settings.driveCount);
}

bool CVantrelApp::SaveDriveList(const std::optional<DriveList>& list) {
  AppProfileStore store(*this);
  const bool saved = vantrel::SaveDriveList(store, list);
  if (saved) m_settings.driveCount = static_cast<int>(list->size());
  return saved;
}

}  // namespace vantrel
