// The tray icon against the platform's shell, inside this process, with the
// program's own resources: the shell takes the record in its first layout,
// and the icon leaves the tray with its object while its window lives on.
#include "mainwnd/tray_icon.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "version.h"

namespace vantrel {
namespace {

bool InTray(HWND wnd) {
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = wnd;
  nid.uID = IDR_TRAY;
  return ::Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

TEST(TrayIcon, TheShellTakesTheRecordAndTheIconLeavesWithItsObject) {
  HWND wnd = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  {
    CTrayIcon icon;
    icon.InitNotifyData(IDR_TRAY);
    EXPECT_EQ(icon.Record().cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(std::string(icon.Record().szTip), VT_PROGRAM_VERSION_TEXT);
    icon.AttachWindow(wnd, WM_USER);
    EXPECT_FALSE(InTray(wnd));
    // No string 161: the icon goes in without a tooltip.
    EXPECT_TRUE(icon.ShowResourceIcon(IDI_TRAY_ENABLED));
    EXPECT_EQ(std::string(icon.Record().szTip), "");
    EXPECT_TRUE(InTray(wnd));
    EXPECT_TRUE(icon.SetTooltip("Memory Utilization : 64%"));
    EXPECT_TRUE(icon.ShowIconWithTip(IDI_TRAY_DISABLED, "Disabled"));
    EXPECT_TRUE(InTray(wnd));
  }
  EXPECT_FALSE(InTray(wnd));
  ::DestroyWindow(wnd);
}

}  // namespace
}  // namespace vantrel
