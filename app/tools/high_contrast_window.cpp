// Shows Vantrel's main window in high contrast for scripts/screenshots.sh,
// which Wine 8 cannot turn on: the window's code runs in this program, over
// settings in memory whose text colours (dark blue) would be unreadable on
// the scheme's black, with the stand-in of mainwnd/high_contrast_test_support.h.
// It runs until WM_QUIT is posted to its window, then puts the system's
// colours back.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <memory>

#include "app/settings_testing.h"
#include "mainwnd/high_contrast_test_support.h"
#include "mainwnd/vantrel_dlg.h"
#include "res/resource.h"

namespace {

// Chooses drive C: in the drive list as a user's choice does.
void ChooseDriveC(HWND dlg) {
  HWND combo = ::GetDlgItem(dlg, IDC_DRIVE_LIST);
  const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char item[64] = {};
    ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    if ((item[2] | 0x20) != 'c') continue;
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_DRIVE_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return;
  }
}

}  // namespace

int main() {
  if (FAILED(::OleInitialize(nullptr))) return 1;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  vantrel::testing::MemoryStore store;
  for (const char* entry : {"labelText", "listText"})
    store.WriteProfileInt(vantrel::kSettingsSection, entry, static_cast<int>(RGB(0, 0, 128)));
  vantrel::Settings settings;
  int rc = 1;
  {
    vantrel::SystemColourScheme scheme(vantrel::kHighContrastScheme);
    auto dlg = std::make_unique<vantrel::CVantrelDlg>(settings, store);
    if (dlg->Create(IDD_VANTREL_DIALOG, nullptr)) {
      vantrel::HighContrastStandIn on({::GetModuleHandleA(nullptr), ::GetModuleHandleA("Zelbo.ocx")});
      ChooseDriveC(dlg->m_hWnd);
      ::SendMessageA(dlg->m_hWnd, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
      MSG msg;
      while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (::IsDialogMessageA(dlg->m_hWnd, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      rc = on.Complete() ? 0 : 1;
      dlg->DestroyWindow();
    }
  }
  ::OleUninitialize();
  return rc;
}
