// The directory view and the drive usage pie of a real Vantrel.exe, opened
// from the main window's buttons and driven from outside.
//
// VT_VIEWS_HOLD_MS=<ms> keeps each window on screen that long once it shows,
// so it can be looked at or captured.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "fw/top_window.h"
#include "mainwnd/e2e_fixture.h"
#include "res/resource.h"

namespace vantrel::e2e {
namespace {

constexpr char kViewTitle[] = "Directory Info View";

void HoldForLooking() {
  if (const char* ms = std::getenv("VT_VIEWS_HOLD_MS")) ::Sleep(static_cast<DWORD>(std::atoi(ms)));
}

long long Number(const std::string& text) { return std::atoll(text.c_str()); }

RECT WindowRect(HWND wnd) {
  RECT r{};
  ::GetWindowRect(wnd, &r);
  return r;
}

RECT ClientRectOnScreen(HWND wnd) {
  RECT r{};
  ::GetClientRect(wnd, &r);
  ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The one dialog the main window owns while nothing else is open: the pie.
HWND OwnedDialog(HWND owner) {
  return fw::FindTopWindow(
      [&](HWND wnd) { return ::GetWindow(wnd, GW_OWNER) == owner && fw::ClassOf(wnd) == "#32770"; });
}

using ViewsRun = StartedProgramTest;

TEST_F(ViewsRun, DirectoryViewOpensFromItsButtonOnTheFirstFixedDrive) {
  ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_DIRECTORY_VIEW, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(main, IDC_DIRECTORY_VIEW)));
  // The window shows once it has walked the whole of C:.
  HWND view = app.WaitForWindow(kViewTitle, 120000);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(::GetWindow(view, GW_OWNER), main);
  EXPECT_FALSE(::IsWindowEnabled(main)) << "the view is modal";

  EXPECT_EQ(ItemText(view, IDC_DIR_PATH), "C:\\");
  EXPECT_EQ(Number(ItemText(view, IDC_DIR_TOTAL_FILES)),
            Number(ItemText(view, IDC_DIR_FILES_HERE)) + Number(ItemText(view, IDC_DIR_FILES_IN_SUBDIRS)));
  EXPECT_GT(Number(ItemText(view, IDC_DIR_SUBDIRS)), 0);
  const std::string size = ItemText(view, IDC_DIR_ACTUAL_SIZE);
  EXPECT_EQ(size.substr(size.size() - 3), " MB") << size;
  EXPECT_EQ(ItemText(view, IDC_DIR_PERCENT).back(), '%');

  // C:, the prefix's first drive, is selected and was expanded after the walk.
  HWND tree = ::GetDlgItem(view, IDC_DIR_TREE);
  const HTREEITEM selected = TreeView_GetSelection(tree);
  EXPECT_EQ(selected, TreeView_GetRoot(tree)) << "C: is the first drive of the prefix";
  EXPECT_TRUE(TreeView_GetItemState(tree, selected, TVIS_EXPANDED) & TVIS_EXPANDED);
  EXPECT_NE(TreeView_GetChild(tree, selected), nullptr);

  HoldForLooking();
  ::PostMessageA(view, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(view) && ::IsWindowEnabled(main); }));
}

TEST_F(ViewsRun, PieShowsBesideTheMainWindowAndFollowsIt) {
  HWND pie = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (pie = OwnedDialog(main)) != nullptr; })) << "made once the main window has shown";
  EXPECT_FALSE(::IsWindowVisible(pie));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(main, IDC_PIE))) << "no drive chosen yet";
  ASSERT_TRUE(ChooseDrive(main, 'C'));
  ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(main, IDC_PIE)));

  // Each case puts the main window somewhere, then checks the pie beside it:
  // on its left with a gap of 8 where there is room, else on its right with a
  // gap of 3; the pie's bottom 3 above the main window's client bottom.
  const struct {
    const char* what;
    int x, y;
    bool pressPie, onLeft, closeAfter;
  } cases[] = {
      {"at the screen's left edge, shown by the button", 0, 0, true, false, false},
      {"moved to the middle, followed", 400, 200, false, true, true},
      {"moved again while hidden, followed", 450, 250, false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::SetWindowPos(main, nullptr, c.x, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (c.pressPie) {
      ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_PIE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(main, IDC_PIE)));
      ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(pie) != FALSE; }));
    }
    const RECT owner = ClientRectOnScreen(main);
    const RECT at = WindowRect(pie);
    EXPECT_TRUE(WaitFor([&] {
      const RECT r = WindowRect(pie);
      return (c.onLeft ? r.right == owner.left - 8 : r.left == owner.right + 3) && r.bottom == owner.bottom - 3;
    })) << "pie at "
        << at.left << "," << at.top << "-" << at.right << "," << at.bottom << ", owner client " << owner.left << ","
        << owner.top << "-" << owner.right << "," << owner.bottom;
    if (c.pressPie) HoldForLooking();
    if (c.closeAfter) {
      // Its own Close button only hides it.
      ::PostMessageA(pie, WM_COMMAND, MAKEWPARAM(IDC_PIE_CLOSE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(pie, IDC_PIE_CLOSE)));
      EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(pie) && ::IsWindow(pie); }));
    }
  }
}

}  // namespace
}  // namespace vantrel::e2e
