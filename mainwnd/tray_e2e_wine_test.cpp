// The tray side of a real Vantrel.exe, driven from outside its process: the
// close notice and its setting, the tray callback, Disable and Enable, Exit,
// starting hidden, the splash window, the About box and the icon's return
// after the shell rebuilt its tray. The shell is asked about the icon
// directly: a change to an icon the tray does not hold is refused.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "fw/top_window.h"
#include "mainwnd/e2e_fixture.h"
#include "res/resource.h"

namespace vantrel::e2e {
namespace {

constexpr char kDisabledTitle[] = "Computer Information - DISABLED";
constexpr char kCloseNoticeTitle[] = "Close Notification";
constexpr char kDisableNoticeTitle[] = "Disable Notification";
constexpr char kAboutTitle[] = "About Vantrel";

NOTIFYICONDATAA IconOf(HWND wnd) {
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = wnd;
  nid.uID = IDR_TRAY;
  return nid;
}

// True while the tray holds the program's icon.
bool InTray(HWND wnd) {
  NOTIFYICONDATAA nid = IconOf(wnd);
  return ::Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

HWND CaptureOf(HWND wnd) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(wnd, nullptr), &info) ? info.hwndCapture : nullptr;
}

int BarPos(HWND dlg, int id) { return static_cast<int>(::SendDlgItemMessageA(dlg, id, PBM_GETPOS, 0, 0)); }

void Command(HWND dlg, UINT id) { ::PostMessageA(dlg, WM_COMMAND, id, 0); }

// The shown top-level window of `pid` that measures w x h.
HWND FindWindowOfSize(DWORD pid, int w, int h) {
  return fw::FindTopWindow([&](HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return fw::ProcessOf(wnd) == pid && ::IsWindowVisible(wnd) && r.right - r.left == w && r.bottom - r.top == h;
  });
}

// A shown window without a title owned by `owner`: the drive usage pie.
HWND ShownPieOf(HWND owner) {
  return fw::FindTopWindow([&](HWND wnd) {
    return ::GetWindow(wnd, GW_OWNER) == owner && ::IsWindowVisible(wnd) && ::GetWindowTextLengthA(wnd) == 0;
  });
}

class TrayRun : public ProgramTest {
 protected:
  // The main window once initialised, shown or not.
  HWND StartedWindow(VantrelProcess& app) {
    HWND dlg = nullptr;
    WaitFor([&] {
      dlg = FindProcessWindow(app.Pid(), kMainTitle);
      return dlg && !ItemText(dlg, IDC_PHYSICAL_MEMORY).empty();
    });
    return dlg;
  }
};

TEST_F(TrayRun, ClosingShowsTheNoticeUntilItsBoxIsTickedAndTheTickOutlivesTheRun) {
  HWND dlg = Start(app);
  ASSERT_NE(dlg, nullptr);
  // The pie, shown beside the window, goes to the tray with it.
  ASSERT_TRUE(ChooseDrive(dlg, 'C'));
  ::PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_PIE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDC_PIE)));
  HWND pie = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (pie = ShownPieOf(dlg)) != nullptr; }));

  // Unticked, the notice comes at every close, and the window goes to the tray.
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ::PostMessageA(dlg, WM_CLOSE, 0, 0);
    HWND notice = app.WaitForWindow(kCloseNoticeTitle);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(::GetWindow(notice, GW_OWNER), dlg);
    EXPECT_TRUE(::IsWindowVisible(dlg)) << "hidden only after the notice";
    if (round == 0) {
      ::PostMessageA(notice, WM_COMMAND, IDOK, 0);
    } else {
      // Ticked and closed by its close box: the tick counts however it ends.
      ::SendDlgItemMessageA(notice, IDC_DONT_SHOW_AGAIN, BM_SETCHECK, BST_CHECKED, 0);
      ::PostMessageA(notice, WM_CLOSE, 0, 0);
    }
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(notice) && !::IsWindowVisible(dlg); }));
    EXPECT_FALSE(::IsWindowVisible(pie));
    EXPECT_TRUE(InTray(dlg));
    ::SendMessageA(dlg, WM_USER, IDR_TRAY, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(::IsWindowVisible(dlg));
  }

  // Ticked: the window goes straight to the tray (a notice would hold it up).
  ::PostMessageA(dlg, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(dlg); }));
  EXPECT_EQ(FindProcessWindow(app.Pid(), kCloseNoticeTitle), nullptr);
  End(app, dlg);
  EXPECT_EQ(Stored("Settings", "CloseNotify").dword, 1u);

  // And so in the next run.
  VantrelProcess next;
  dlg = Start(next);
  ASSERT_NE(dlg, nullptr);
  ::PostMessageA(dlg, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(dlg); }));
  EXPECT_EQ(FindProcessWindow(next.Pid(), kCloseNoticeTitle), nullptr);
  End(next, dlg);
}

TEST_F(TrayRun, StartedHiddenTheWindowNeverShowsUntilTheTrayOpensIt) {
  PutDword("Settings", "AutoHide", 1);
  PutDword("Settings", "CloseNotify", 1);
  ASSERT_TRUE(app.Start("/Embedding"));
  HWND dlg = StartedWindow(app);
  ASSERT_NE(dlg, nullptr);
  // Two round trips through the program's message loop: its first idle
  // moment, when it shows the dialog, has passed.
  ::SendMessageA(dlg, WM_NULL, 0, 0);
  ::SendMessageA(dlg, WM_NULL, 0, 0);
  EXPECT_FALSE(::IsWindowVisible(dlg));
  EXPECT_TRUE(InTray(dlg));

  // The program runs: the tray's double click opens it, and from then on it
  // comes and goes as any other time.
  EXPECT_EQ(::SendMessageA(dlg, WM_USER, IDR_TRAY, WM_LBUTTONDBLCLK), 1);
  EXPECT_TRUE(::IsWindowVisible(dlg));
  ::PostMessageA(dlg, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(dlg); }));
  ::SendMessageA(dlg, WM_USER, IDR_TRAY, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(::IsWindowVisible(dlg));
  End(app, dlg);
}

TEST_F(TrayRun, DisableStopsTheCountdownAndEnableRestartsIt) {
  PutDword("Settings", "MemoryPos", 1);
  HWND dlg = Start(app);
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(WaitFor([&] { return BarPos(dlg, IDC_MEMORY_COUNTDOWN) > 0; }));

  Command(dlg, ID_TRAY_TOGGLE_ENABLE);
  HWND notice = app.WaitForWindow(kDisableNoticeTitle);
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(::GetWindow(notice, GW_OWNER), dlg);
  ::SendDlgItemMessageA(notice, IDC_DONT_SHOW_AGAIN, BM_SETCHECK, BST_CHECKED, 0);
  ::PostMessageA(notice, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitFor([&] { return fw::WindowText(dlg) == kDisabledTitle; }));
  EXPECT_EQ(BarPos(dlg, IDC_MEMORY_COUNTDOWN), 0);
  EXPECT_EQ(BarPos(dlg, IDC_DRIVE_COUNTDOWN), 0);
  EXPECT_TRUE(InTray(dlg));

  // Three seconds: a running timer would have stepped the bars and refreshed
  // memory (every two seconds here) by then.
  EXPECT_TRUE(HoldsFor(
      [&] {
        return ::IsWindow(dlg) && fw::WindowText(dlg) == kDisabledTitle && BarPos(dlg, IDC_MEMORY_COUNTDOWN) == 0 &&
               BarPos(dlg, IDC_DRIVE_COUNTDOWN) == 0;
      },
      3000));

  Command(dlg, ID_TRAY_TOGGLE_ENABLE);
  ASSERT_TRUE(WaitFor([&] { return fw::WindowText(dlg) == kMainTitle; }));
  EXPECT_EQ(FindProcessWindow(app.Pid(), kDisableNoticeTitle), nullptr) << "no notice on enabling";
  EXPECT_TRUE(WaitFor([&] { return BarPos(dlg, IDC_MEMORY_COUNTDOWN) > 0 && BarPos(dlg, IDC_DRIVE_COUNTDOWN) > 0; }));
  End(app, dlg);
  EXPECT_EQ(Stored("Settings", "DisableNotify").dword, 1u) << "the notice's box ticked";
}

TEST_F(TrayRun, ExitEndsTheProgramWithoutANoticeAndTakesTheIconAlong) {
  HWND dlg = Start(app);
  ASSERT_NE(dlg, nullptr);
  // The icon follows the window once it has been painted.
  ASSERT_TRUE(WaitFor([&] { return InTray(dlg); }));
  Command(dlg, ID_TRAY_EXIT);
  // A close notice would hold the program up.
  EXPECT_EQ(app.WaitForExit(), 0);
  EXPECT_FALSE(InTray(dlg));
  EXPECT_TRUE(Stored("Settings", "CloseNotify").present) << "the settings were written at the end";
}

TEST_F(TrayRun, TheSplashShowsForAboutFourSecondsHoldingTheMouseThenGoes) {
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(app.Start());
  HWND splash = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (splash = FindWindowOfSize(app.Pid(), 300, 140)) != nullptr; }));
  const auto seen = std::chrono::steady_clock::now();
  HWND dlg = ::GetWindow(splash, GW_OWNER);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(fw::WindowText(dlg), kMainTitle);
  // While the splash shows, the main window holds the mouse.
  EXPECT_TRUE(WaitFor([&] { return CaptureOf(dlg) == dlg || !::IsWindow(splash); }) && CaptureOf(dlg) == dlg);

  // Centred in the work area, the picture with the words on its light band.
  RECT r{}, area{};
  ::GetWindowRect(splash, &r);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR(r.left - area.left, area.right - r.right, 1);
  EXPECT_NEAR(r.top - area.top, area.bottom - r.bottom, 1);
  const RECT words{r.left + 10, r.top + 105, r.left + 100, r.top + 118};
  EXPECT_TRUE(WaitFor([&] { return ScreenPixels(words).Count(RGB(0, 0, 0)) > 20 || !::IsWindow(splash); }) &&
              ::IsWindow(splash))
      << "\"Initializing. Please wait...\" is drawn";

  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(splash); }, 30000));
  // Four one-second ticks after it was created. No timer fires early, so it
  // goes no sooner than four seconds after the program started, and one tick
  // fewer ends it sooner than that (the start takes a fraction of a second).
  // A busy machine only delays the ticks: the bound above leaves it two and
  // a half seconds, and still fails a splash that lasts twice as long.
  const auto gone = std::chrono::steady_clock::now();
  EXPECT_GE(gone - started, std::chrono::milliseconds(4000));
  EXPECT_LE(gone - seen, std::chrono::milliseconds(6500));
  EXPECT_EQ(CaptureOf(dlg), nullptr);
  ASSERT_NE(app.WaitForWindow(kMainTitle), nullptr);
  End(app, dlg);

  // "Embedding" or "Automation", after / or -: no splash, no capture.
  VantrelProcess quiet;
  dlg = Start(quiet, "-Automation");
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(FindWindowOfSize(quiet.Pid(), 300, 140), nullptr);
  EXPECT_EQ(CaptureOf(dlg), nullptr);
  End(quiet, dlg);
}

TEST_F(TrayRun, TheAboutBoxOpensFromTheTrayMenuAndTheSystemMenuAndPlaysItsClip) {
  HWND dlg = Start(app);
  ASSERT_NE(dlg, nullptr);
  const struct {
    UINT msg;
    WPARAM wp;
    UINT close;
  } ways[] = {{WM_COMMAND, ID_APP_ABOUT, IDOK}, {WM_SYSCOMMAND, IDM_ABOUTBOX, IDCANCEL}};
  for (const auto& way : ways) {
    SCOPED_TRACE(way.msg);
    ::PostMessageA(dlg, way.msg, way.wp, 0);
    HWND about = app.WaitForWindow(kAboutTitle);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(::GetWindow(about, GW_OWNER), dlg);
    // The clip ends on its last frame, the monitor with its top bar full: 26
    // by 4 pixels of green, against 24 by 4 in the frame before. Without a
    // window manager the box can lie under its owner's X window: it is looked
    // at clear of the main window.
    ::SetWindowPos(about, nullptr, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND clip = ::GetDlgItem(about, IDC_ABOUT_ANIMATION);
    ASSERT_NE(clip, nullptr);
    RECT rc{};
    ::GetWindowRect(clip, &rc);
    auto lastFrame = [&] { return ScreenPixels(rc).Count(RGB(32, 176, 64)) == 26 * 4; };
    EXPECT_TRUE(WaitFor(lastFrame));
    // Once: for longer than the whole clip it stays on its last frame.
    EXPECT_TRUE(HoldsFor(lastFrame, 2000));
    ::PostMessageA(about, WM_COMMAND, way.close, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(about); }));
  }
  End(app, dlg);
}

TEST_F(TrayRun, ARebuiltTrayGetsTheIconBackInItsCurrentState) {
  PutDword("Settings", "CloseNotify", 1);
  PutDword("Settings", "DisableNotify", 1);
  HWND dlg = Start(app);
  ASSERT_NE(dlg, nullptr);
  Command(dlg, ID_TRAY_TOGGLE_ENABLE);
  ASSERT_TRUE(WaitFor([&] { return fw::WindowText(dlg) == kDisabledTitle; }));
  // Out of the way of the tray window, which shows the icons at the top left.
  ::PostMessageA(dlg, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(dlg); }));
  HWND tray = ::FindWindowA("__winex11_standalone_tray", nullptr);
  auto redInTray = [&] {
    RECT r{};
    return tray && ::IsWindowVisible(tray) && ::GetWindowRect(tray, &r) && ScreenPixels(r).Has(RGB(255, 0, 0));
  };

  if (tray) {
    ASSERT_TRUE(WaitFor(redInTray));
  }

  // The shell loses the icon, as when the tray is rebuilt.
  NOTIFYICONDATAA nid = IconOf(dlg);
  ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &nid));
  ASSERT_FALSE(InTray(dlg));
  ASSERT_FALSE(redInTray());
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                        &answer);
  ASSERT_TRUE(WaitFor([&] { return InTray(dlg); }));
  // The disabled icon, where the window's tray picture can be seen.
  if (tray) {
    EXPECT_TRUE(WaitFor(redInTray));
  }
  End(app, dlg);
}

}  // namespace
}  // namespace vantrel::e2e
