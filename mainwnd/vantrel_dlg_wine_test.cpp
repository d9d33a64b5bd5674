// The main window inside this process, over the program's own resources and
// a settings store in memory: the gauges as the window sets them up, read
// through their dispatch interface; the drive panel's failure path and the
// Watch box; Escape and Enter while hidden; the tooltip and tray menu while
// disabled; a missing computer-name key; the text colours in pixels. The test
// prefix has C:, D: and Z: fixed and E: a CD-ROM drive without medium.
#include "mainwnd/vantrel_dlg.h"
// Before the store's test doubles: takes back the platform's win.ini macros
// that share the store's call names.
#include "fw/app.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <cwchar>
#include <vector>

#include "app/settings_testing.h"
#include "fw/occ/dispatch.h"
#include "fw/occ/dialog_resource.h"
#include "fw/top_window.h"
#include "fw/window_text.h"
#include "gauge/draw_plan.h"
#include "gauge/zelbo_ids.h"
#include "mainwnd/e2e_test_harness.h"
#include "mainwnd/high_contrast_test_support.h"
#include "res/resource.h"
#include "version.h"

namespace vantrel {
namespace {

using e2e::ChooseDrive;
using e2e::ItemText;

class MainWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(e2e::RegisterGauge());
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
  }
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr))); }
  void TearDown() override {
    Close();
    ::OleUninitialize();
  }

  // Builds the window over `store` as start-up does, but modeless, so the
  // test can look inside it.
  HWND Open() {
    dlg = std::make_unique<CVantrelDlg>(settings, store);
    EXPECT_TRUE(dlg->Create(IDD_VANTREL_DIALOG, nullptr));
    return dlg->m_hWnd;
  }
  void Close() {
    if (dlg) dlg->DestroyWindow();
    dlg.reset();
  }

  IDispatch* Gauge(int id) const { return dlg->ControlDispatch(id); }
  short GaugePos(int id) const {
    short pos = -1;
    EXPECT_EQ(fw::occ::InvokeHelper(Gauge(id), zelbo::kDispGetPos, DISPATCH_METHOD, VT_I2, &pos), S_OK);
    return pos;
  }
  bool GaugeFlag(int id, DISPID property) const {
    BOOL value = FALSE;
    EXPECT_EQ(fw::occ::GetProperty(Gauge(id), property, VT_BOOL, &value), S_OK);
    return value != FALSE;
  }
  std::string Text(int id) const { return ItemText(dlg->m_hWnd, id); }

  testing::MemoryStore store;
  Settings settings;
  std::unique_ptr<CVantrelDlg> dlg;
};

TEST_F(MainWindow, GaugesAsTheWindowSetsThemUpAndAfterADriveQuery) {
  store.WriteProfileInt(kSettingsSection, "nTooltip", 3);
  ASSERT_NE(Open(), nullptr);
  const struct {
    int id;
    bool reversed;
  } gauges[] = {{IDC_GAUGE_FREE_MEMORY, false},
                {IDC_GAUGE_MEMORY_LOAD, true},
                {IDC_GAUGE_DRIVE_USED, true},
                {IDC_GAUGE_DRIVE_FREE, false}};
  for (const auto& g : gauges) {
    ASSERT_NE(Gauge(g.id), nullptr) << g.id;
    EXPECT_EQ(GaugeFlag(g.id, zelbo::kDispReverseScheme), g.reversed) << g.id;
    EXPECT_FALSE(GaugeFlag(g.id, zelbo::kDispPercent)) << g.id << ": the caption stays off";
  }

  ASSERT_TRUE(ChooseDrive(dlg->m_hWnd, 'D'));
  ASSERT_EQ(Text(IDC_DRIVE_TYPE), "Hard Drive");
  const int usedPct = std::atoi(Text(IDC_USED_PERCENT).c_str());
  EXPECT_EQ(GaugePos(IDC_GAUGE_DRIVE_USED), usedPct);
  EXPECT_EQ(GaugePos(IDC_GAUGE_DRIVE_FREE), 100 - usedPct);
  EXPECT_EQ(dlg->TrayTooltip(), "D:\\ Free : " + Text(IDC_DRIVE_FREE) + " / " + Text(IDC_FREE_PERCENT));
}

TEST_F(MainWindow, AFailedDriveQueryShowsNoDiskAndTheDriveCycleLeavesItAlone) {
  ASSERT_NE(Open(), nullptr);
  HWND refresh = dlg->GetDlgItem(IDC_DRIVE_REFRESH);
  ASSERT_TRUE(ChooseDrive(dlg->m_hWnd, 'D'));
  ASSERT_NE(GaugePos(IDC_GAUGE_DRIVE_USED) + GaugePos(IDC_GAUGE_DRIVE_FREE), 0);

  ASSERT_TRUE(ChooseDrive(dlg->m_hWnd, 'E'));
  EXPECT_EQ(Text(IDC_DRIVE_TYPE), "CD-ROM");
  EXPECT_EQ(::SendMessageA(refresh, BM_GETIMAGE, IMAGE_ICON, 0),
            reinterpret_cast<LRESULT>(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NO_DISK))));
  EXPECT_EQ(GaugePos(IDC_GAUGE_DRIVE_USED), 0);
  EXPECT_EQ(GaugePos(IDC_GAUGE_DRIVE_FREE), 0);
  for (int id : {IDC_DRIVE_CAPACITY, IDC_DRIVE_FREE, IDC_DRIVE_USED, IDC_USED_PERCENT, IDC_FREE_PERCENT})
    EXPECT_EQ(Text(id), "") << id;

  // The list now shows D: behind the window's back: a drive cycle that
  // queried the chosen drive again would fill the panel from D:.
  ASSERT_TRUE(ChooseDrive(dlg->m_hWnd, 'D', false));
  dlg->CheckDriveSpace();
  EXPECT_EQ(Text(IDC_DRIVE_TYPE), "CD-ROM");
  EXPECT_EQ(Text(IDC_DRIVE_CAPACITY), "");

  // After a good query the cycle does query again.
  ASSERT_TRUE(ChooseDrive(dlg->m_hWnd, 'D'));
  ASSERT_TRUE(ChooseDrive(dlg->m_hWnd, 'E', false));
  dlg->CheckDriveSpace();
  EXPECT_EQ(Text(IDC_DRIVE_CAPACITY), "");
}

TEST_F(MainWindow, TheWatchBoxFollowsTheStoredEntryOfTheChosenDrive) {
  const std::vector<char> fixed = e2e::FixedDrives();
  ASSERT_GE(fixed.size(), 3u);
  store.WriteProfileInt(kSettingsSection, "driveCount", static_cast<int>(fixed.size()));
  for (size_t i = 0; i < fixed.size(); ++i) {
    const std::string section = std::to_string(i);
    store.WriteProfileString(section, "path", std::string(1, fixed[i]) + ":\\");
    store.WriteProfileInt(section, "watch", fixed[i] == 'D' ? 1 : 0);
    store.WriteProfileInt(section, "drive", fixed[i] - 'A' + 1);
  }
  ASSERT_NE(Open(), nullptr);
  HWND watch = dlg->GetDlgItem(IDC_WATCH);
  const struct {
    char letter;
    LRESULT check;
    bool enabled;
  } choices[] = {{'D', BST_CHECKED, true},
                 {'C', BST_UNCHECKED, true},
                 {'D', BST_CHECKED, true},
                 {'E', BST_CHECKED, false},  // no medium: disabled, the tick kept
                 {'C', BST_UNCHECKED, true}};
  for (const auto& c : choices) {
    ASSERT_TRUE(ChooseDrive(dlg->m_hWnd, c.letter));
    EXPECT_EQ(::SendMessageA(watch, BM_GETCHECK, 0, 0), c.check) << c.letter;
    EXPECT_EQ(::IsWindowEnabled(watch) != FALSE, c.enabled) << c.letter;
  }
}

// A hidden window cannot be meant by a key, but it holds the keyboard once the
// tray menu has made it the foreground window; X gives an unmapped window no
// keys, so the keys are handed to the window's message loop here.
TEST_F(MainWindow, EscapeAndEnterDoNothingWhileHiddenButAPostedCancelStillEnds) {
  const struct {
    bool shown;
    WPARAM key;
    bool ends;
  } cases[] = {{false, VK_ESCAPE, false}, {false, VK_RETURN, false}, {true, VK_ESCAPE, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    HWND wnd = Open();
    ASSERT_NE(wnd, nullptr);
    ::ShowWindow(wnd, c.shown ? SW_SHOW : SW_HIDE);
    MSG key{dlg->GetDlgItem(IDC_DRIVE_LIST), WM_KEYDOWN, c.key, 1, 0, {}};
    fw::PumpMessage(key);
    EXPECT_EQ(::IsWindow(wnd) == FALSE, c.ends);
    if (!c.ends) {
      // As CloseVantrel and the installer end the program.
      ::PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      for (MSG msg; ::IsWindow(wnd) && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) fw::PumpMessage(msg);
      EXPECT_FALSE(::IsWindow(wnd));
    }
    Close();
  }
}

// The tray menu as the window opens it, seen as it opens; the hook chooses
// the toggle by its mnemonic, which only the caption "&Enable" carries.
HMENU g_trayMenu = nullptr;
UINT g_defaultItem = 0;
std::string g_toggleCaption;
LRESULT CALLBACK SeeMenu(int code, WPARAM wp, LPARAM lp) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && call->message == WM_INITMENUPOPUP && !g_trayMenu) {
    g_trayMenu = reinterpret_cast<HMENU>(call->wParam);
    g_defaultItem = ::GetMenuDefaultItem(g_trayMenu, FALSE, 0);
    char text[32] = {};
    ::GetMenuStringA(g_trayMenu, ID_TRAY_TOGGLE_ENABLE, text, sizeof text, MF_BYCOMMAND);
    g_toggleCaption = text;
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(MainWindow, DisabledTheTooltipSaysSoThroughOptionsOkAndTheTrayMenuEnablesAgain) {
  store.WriteProfileInt(kSettingsSection, "nTooltip", 4);
  store.WriteProfileInt(kSettingsSection, "DisableNotify", 1);
  HWND wnd = Open();
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(dlg->TrayTooltip(), VT_PROGRAM_VERSION_TEXT);
  ::SendMessageA(wnd, WM_COMMAND, ID_TRAY_TOGGLE_ENABLE, 0);
  EXPECT_EQ(dlg->TrayTooltip(), "Disabled");
  // What the options sheet's OK applies: the tooltip choice would replace it.
  dlg->ApplySettingsChange();
  EXPECT_EQ(dlg->TrayTooltip(), "Disabled");

  HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, SeeMenu, nullptr, ::GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  ::PostMessageA(wnd, WM_CHAR, 'e', 0);
  ::SendMessageA(wnd, WM_USER, IDR_TRAY, WM_RBUTTONUP);
  ::UnhookWindowsHookEx(hook);
  EXPECT_EQ(g_toggleCaption, "&Enable");
  EXPECT_EQ(g_defaultItem, static_cast<UINT>(ID_TRAY_OPEN));
  // The chosen command comes posted.
  for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) fw::PumpMessage(msg);
  EXPECT_EQ(fw::WindowText(wnd), "Computer Information");
  // Choice 4 is set at start and by OK only: re-enabled, the tooltip says so
  // through the refreshes.
  dlg->RefreshMemory();
  dlg->CheckDriveSpace();
  EXPECT_EQ(dlg->TrayTooltip(), "Enabled");
}

// What a window shows on screen, read back pixel by pixel.
class WindowPixels {
 public:
  explicit WindowPixels(HWND w) {
    RECT rc{};
    ::GetClientRect(w, &rc);
    width = rc.right;
    height = rc.bottom;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    fw::UniqueDc memory(::CreateCompatibleDC(nullptr));
    if (!bitmap_ || !memory) return;
    fw::SelectScope select(memory.get(), bitmap_.get());
    fw::WindowDc screen(w);
    ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    ::GdiFlush();
    bits_ = static_cast<const std::uint32_t*>(bits);
  }
  // 0x00BBGGRR, or a value no colour has when (x, y) lies outside.
  std::uint32_t At(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFF;
    const std::uint32_t p = bits_[y * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int width = 0, height = 0;

 private:
  fw::UniqueBitmap bitmap_;
  const std::uint32_t* bits_ = nullptr;
};

// Every child control's text and state, but the figures that move by
// themselves (free memory and load).
std::map<int, std::tuple<std::string, BOOL, BOOL>> Controls(HWND dlg) {
  std::map<int, std::tuple<std::string, BOOL, BOOL>> all;
  for (HWND c = ::GetWindow(dlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(c);
    if (id == IDC_FREE_MEMORY || id == IDC_MEMORY_LOAD || id == IDC_STATIC || id == 0xFFFF) continue;
    char text[256] = {};
    ::GetWindowTextA(c, text, sizeof text);
    all[id] = {text, ::IsWindowEnabled(c), ::IsWindowVisible(c)};
  }
  return all;
}

// Points HKEY_LOCAL_MACHINE of this process, for a scope, at a key that is
// empty or holds only the computer-name key with the given name.
class StandInMachineKey {
 public:
  explicit StandInMachineKey(const wchar_t* computerName = nullptr) {
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, key_.put(),
                      nullptr);
    ok_ = key_ && ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, key_.get()) == ERROR_SUCCESS;
    if (ok_ && computerName) {
      fw::UniqueKey name;
      ok_ = ::RegCreateKeyExA(key_.get(), "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, name.put(), nullptr) == ERROR_SUCCESS &&
            ::RegSetValueExW(name.get(), L"ComputerName", 0, REG_SZ, reinterpret_cast<const BYTE*>(computerName),
                             static_cast<DWORD>((std::wcslen(computerName) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
  }
  ~StandInMachineKey() {
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    key_.reset();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kPath);
  }
  bool ok() const { return ok_; }

 private:
  static constexpr char kPath[] = "Software\\VantrelEmptyMachine";
  fw::UniqueKey key_;
  bool ok_ = false;
};

TEST_F(MainWindow, WithoutTheComputerNameKeyOnlyTheNameIsEmpty) {
  ASSERT_NE(Open(), nullptr);
  ASSERT_NE(Text(IDC_COMPUTER_NAME), "");
  auto expected = Controls(dlg->m_hWnd);
  std::get<0>(expected[IDC_COMPUTER_NAME]).clear();
  Close();

  StandInMachineKey noMachine;
  ASSERT_TRUE(noMachine.ok());
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Controls(dlg->m_hWnd), expected);
  EXPECT_NE(Gauge(IDC_GAUGE_FREE_MEMORY), nullptr);
}

TEST_F(MainWindow, TheComputerNameShowsAsTheSystemHoldsIt) {
  // Cyrillic, CJK and an ampersand: lost or changed in the ANSI code page.
  const wchar_t name[] = L"\u0421\u0435\u0440\u0432\u0435\u0440&\u65e5\u672c";
  StandInMachineKey machine(name);
  ASSERT_TRUE(machine.ok());
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(fw::WindowTextW(::GetDlgItem(dlg->m_hWnd, IDC_COMPUTER_NAME)), name);
}

// A window's client area as `draw` has it draw itself into a bitmap of its
// own: its pixels as 0x00BBGGRR, row by row.
template <typename Draw>
std::vector<std::uint32_t> DrawnPixels(HWND w, Draw draw) {
  RECT rc{};
  ::GetClientRect(w, &rc);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, rc.right, -rc.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  fw::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  fw::UniqueDc dc(::CreateCompatibleDC(nullptr));
  if (!bitmap || !dc) return {};
  fw::SelectScope select(dc.get(), bitmap.get());
  draw(w, dc.get());
  ::GdiFlush();
  std::vector<std::uint32_t> pixels;
  const auto* p = static_cast<const std::uint32_t*>(bits);
  for (long i = 0; i < static_cast<long>(rc.right) * rc.bottom; ++i)
    pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
  return pixels;
}

// A window's own drawing, as PrintWindow gives it.
std::vector<std::uint32_t> PrintedPixels(HWND w) {
  return DrawnPixels(w, [](HWND wnd, HDC dc) { ::PrintWindow(wnd, dc, PW_CLIENTONLY); });
}

// Whether any pixel of a control's own drawing leans clearly to `colour`
// (red or blue): the text's, whatever the smoothing of its edges.
bool ShowsColour(HWND control, COLORREF colour) {
  const bool red = colour == RGB(255, 0, 0);
  const auto printClient = [](HWND wnd, HDC dc) {
    ::SendMessageA(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  };
  for (const std::uint32_t px : DrawnPixels(control, printClient)) {
    const int r = GetRValue(px), g = GetGValue(px), b = GetBValue(px);
    const int want = red ? r : b, other = red ? b : r;
    if (want > g + 80 && want > other + 80) return true;
  }
  return false;
}

TEST_F(MainWindow, LabelsAndListsShowTheStoredTextColours) {
  store.WriteProfileInt(kSettingsSection, "labelText", static_cast<int>(RGB(255, 0, 0)));
  store.WriteProfileInt(kSettingsSection, "listText", static_cast<int>(RGB(0, 0, 255)));
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(ChooseDrive(dlg->m_hWnd, 'C'));
  // A list with the focus shows its selection in the system's colours.
  ::SetFocus(dlg->GetDlgItem(IDC_OPTIONS));
  HWND label = ::FindWindowExA(dlg->m_hWnd, nullptr, "Static", "User :");
  HWND list = dlg->GetDlgItem(IDC_DRIVE_LIST);
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(ShowsColour(label, RGB(255, 0, 0)));
  EXPECT_FALSE(ShowsColour(label, RGB(0, 0, 255)));
  EXPECT_TRUE(ShowsColour(list, RGB(0, 0, 255)));
  EXPECT_FALSE(ShowsColour(list, RGB(255, 0, 0)));
}

// At whatever DPI the session runs, each gauge covers the rectangle that the
// template gives it in dialog units and paints all of it: the control is told
// its real size, not one converted at a fixed 96 DPI. Full, its pixels are
// the plan for its window's size: the bevels on the edges, the fill up to the
// inner bevel.
TEST_F(MainWindow, EachGaugePaintsTheWholeRectangleOfItsTemplate) {
  ASSERT_NE(Open(), nullptr);
  const auto resource = fw::occ::LoadDialogResource(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VANTREL_DIALOG));
  ASSERT_TRUE(resource);
  ASSERT_EQ(resource->split.controls.size(), 4u);
  for (const fw::occ::ControlItem& item : resource->split.controls) {
    const int id = static_cast<int>(item.id);
    SCOPED_TRACE(id);
    RECT expected{item.x, item.y, item.x + item.cx, item.y + item.cy};
    ::MapDialogRect(dlg->m_hWnd, &expected);
    HWND gauge = dlg->GetDlgItem(id);
    ASSERT_NE(gauge, nullptr);
    RECT box{};
    ::GetWindowRect(gauge, &box);
    ::MapWindowPoints(nullptr, dlg->m_hWnd, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_TRUE(::EqualRect(&expected, &box)) << "template (" << expected.left << ", " << expected.top << ") to ("
                                              << expected.right << ", " << expected.bottom << "), window (" << box.left
                                              << ", " << box.top << ") to (" << box.right << ", " << box.bottom << ")";

    zelbo::GaugeState state;
    state.SetReverseScheme(GaugeFlag(id, zelbo::kDispReverseScheme));
    state.SetBorderWidth(1);  // as the window sets its gauges up
    state.SetRange(0, 100);
    state.SetPos(100);
    EXPECT_EQ(fw::occ::InvokeHelper(Gauge(id), zelbo::kDispSetRange, DISPATCH_METHOD, VT_EMPTY, nullptr, short{0},
                                    short{100}),
              S_OK);
    EXPECT_EQ(fw::occ::InvokeHelper(Gauge(id), zelbo::kDispSetPos, DISPATCH_METHOD, VT_EMPTY, nullptr, short{100}),
              S_OK);
    ::UpdateWindow(gauge);
    const WindowPixels shown(gauge);
    const zelbo::DrawPlan plan =
        zelbo::PlanDraw(state, {0, 0, static_cast<int32_t>(shown.width), static_cast<int32_t>(shown.height)});
    ASSERT_TRUE(plan.filled);
    // Each bevel strip at its middle, then the fill just inside the inner bevel.
    for (const auto* bevel : {&plan.raised, &plan.sunken}) {
      for (const zelbo::Strip& strip : *bevel) {
        const int x = (strip.rect.left + strip.rect.right - 1) / 2, y = (strip.rect.top + strip.rect.bottom - 1) / 2;
        EXPECT_EQ(shown.At(x, y), strip.colour) << x << ", " << y;
      }
    }
    for (auto [x, y] :
         {std::pair{plan.inner.left + 1, plan.inner.top + 1}, std::pair{plan.inner.right - 2, plan.inner.bottom - 2}}) {
      EXPECT_EQ(shown.At(x, y), plan.fillColour) << x << ", " << y;
    }
  }
}

TEST_F(MainWindow, TabVisitsTheControlsInTheOrderOfTheLayoutAndAGaugeShowsItsFocus) {
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(ChooseDrive(dlg->m_hWnd, 'C'));  // enables the Pie button and the Watch box
  std::vector<int> visited;
  HWND first = dlg->GetDlgItem(IDC_PROCESSOR_INFO);
  HWND at = first;
  do {
    visited.push_back(::GetDlgCtrlID(at));
    at = ::GetNextDlgTabItem(dlg->m_hWnd, at, FALSE);
  } while (at && at != first && visited.size() < 40);
  EXPECT_EQ(visited, (std::vector<int>{IDC_PROCESSOR_INFO, IDC_EXTENDED_INFO, IDC_DIRECTORY_VIEW, IDC_GAUGE_FREE_MEMORY,
                                       IDC_GAUGE_MEMORY_LOAD, IDC_OPTIONS, IDC_DRIVE_LIST, IDC_DRIVE_REFRESH, IDC_PIE,
                                       IDC_WATCH, IDC_GAUGE_DRIVE_USED, IDC_GAUGE_DRIVE_FREE}));

  HWND gauge = dlg->GetDlgItem(IDC_GAUGE_MEMORY_LOAD);
  ::SetFocus(dlg->GetDlgItem(IDC_OPTIONS));
  const std::vector<std::uint32_t> unfocused = PrintedPixels(gauge);
  ::SetFocus(gauge);
  EXPECT_TRUE(::GetUpdateRect(gauge, nullptr, FALSE));  // repaints at once
  EXPECT_NE(PrintedPixels(gauge), unfocused);
  ::SetFocus(dlg->GetDlgItem(IDC_OPTIONS));
  EXPECT_EQ(PrintedPixels(gauge), unfocused);
}

// ---- high contrast ----

TEST_F(MainWindow, InHighContrastGaugesAndLabelsDrawInSystemColoursOnly) {
  store.WriteProfileInt(kSettingsSection, "labelText", static_cast<int>(RGB(255, 0, 0)));
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(ChooseDrive(dlg->m_hWnd, 'C'));
  ::SetFocus(dlg->GetDlgItem(IDC_OPTIONS));
  HWND gauge = dlg->GetDlgItem(IDC_GAUGE_MEMORY_LOAD);
  HWND label = ::FindWindowExA(dlg->m_hWnd, nullptr, "Static", "User :");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(fw::occ::InvokeHelper(Gauge(IDC_GAUGE_MEMORY_LOAD), zelbo::kDispSetPos, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                  short{50}),
            S_OK);
  ::UpdateWindow(dlg->m_hWnd);
  ASSERT_TRUE(ShowsColour(label, RGB(255, 0, 0)));

  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), cyan = RGB(0, 255, 255);  // the scheme's
  HighContrastStandIn on({::GetModuleHandleA(nullptr), ::GetModuleHandleA("Zelbo.ocx")});
  ASSERT_TRUE(on.Complete());
  SystemColourScheme scheme(kHighContrastScheme);
  // Each message of a change of colours, contrast or theme repaints the
  // window's controls at once.
  for (UINT msg : {WM_SYSCOLORCHANGE, WM_SETTINGCHANGE, WM_THEMECHANGED}) {
    SCOPED_TRACE(msg);
    ::UpdateWindow(dlg->m_hWnd);
    ::SendMessageA(dlg->m_hWnd, msg, msg == WM_SETTINGCHANGE ? SPI_SETHIGHCONTRAST : 0, 0);
    EXPECT_TRUE(::GetUpdateRect(gauge, nullptr, FALSE));
    EXPECT_TRUE(::GetUpdateRect(label, nullptr, FALSE));
  }

  // The gauge: background, frame and fill in the window, text and highlight
  // colours, nothing else.
  int filled = 0, others = 0;
  for (const std::uint32_t p : PrintedPixels(gauge)) {
    filled += p == cyan;
    others += p != black && p != white && p != cyan;
  }
  EXPECT_GT(filled, 0);
  EXPECT_EQ(others, 0);
  // The label: the text colour on the face colour, and the greys between
  // them where the text is smoothed; no trace of the stored red.
  int text = 0, coloured = 0;
  for (const std::uint32_t p : PrintedPixels(label)) {
    text += p == white;
    coloured += GetRValue(p) != GetGValue(p) || GetGValue(p) != GetBValue(p);
  }
  EXPECT_GT(text, 0);
  EXPECT_EQ(coloured, 0);
}

}  // namespace
}  // namespace vantrel
