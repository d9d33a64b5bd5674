// Loads Vantrel's resources from this test's own module, through the platform:
// icons, cursors with their hot spots, strings, and the main window's dialog
// with every control's class, styles and position.
//
// VT_RES_HOLD_MS=<ms> keeps the main dialog on screen that long, with icons
// on its buttons and sample texts, so it can be looked at or captured.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>

#include "fw/occ/dialog_resource.h"
#include "gauge/zelbo_ids.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fw/handle.h"
#include "res/resource.h"
#include "version.h"

namespace {

HMODULE Module() { return ::GetModuleHandleA(nullptr); }

// The bitmap header of the image that the platform picks from an icon or
// cursor group for the given size; null when the group or image is missing.
const BITMAPINFOHEADER* PickedImage(int groupId, bool icon, int cx, int cy, int* groupCount) {
  HRSRC group = ::FindResourceA(Module(), MAKEINTRESOURCEA(groupId), icon ? RT_GROUP_ICON : RT_GROUP_CURSOR);
  if (!group) return nullptr;
  auto* dir = static_cast<BYTE*>(::LockResource(::LoadResource(Module(), group)));
  if (!dir) return nullptr;
  *groupCount = reinterpret_cast<const WORD*>(dir)[2];
  int imageId = ::LookupIconIdFromDirectoryEx(dir, icon, cx, cy, LR_DEFAULTCOLOR);
  HRSRC image = ::FindResourceA(Module(), MAKEINTRESOURCEA(imageId), icon ? RT_ICON : RT_CURSOR);
  if (!image) return nullptr;
  auto* bits = static_cast<const BYTE*>(::LockResource(::LoadResource(Module(), image)));
  if (!bits) return nullptr;
  // A cursor image starts with its hot spot (two words) before the bitmap.
  return reinterpret_cast<const BITMAPINFOHEADER*>(icon ? bits : bits + 4);
}

// Size of the colour plane of an icon or cursor, or of its mask when it has none.
SIZE ImageSize(HICON icon, POINT* hotSpot, bool* isIcon) {
  ICONINFO info{};
  SIZE size{0, 0};
  if (!::GetIconInfo(icon, &info)) return size;
  fw::UniqueBitmap color(info.hbmColor);
  fw::UniqueBitmap mask(info.hbmMask);
  BITMAP bm{};
  if (color) {
    ::GetObjectA(color.get(), sizeof bm, &bm);
    size = {bm.bmWidth, bm.bmHeight};
  } else if (mask) {
    ::GetObjectA(mask.get(), sizeof bm, &bm);
    size = {bm.bmWidth, bm.bmHeight / 2};
  }
  *hotSpot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
  *isIcon = info.fIcon != FALSE;
  return size;
}

struct IconCase {
  int id;
  const char* role;
};

const IconCase kIcons[] = {
    {IDR_MAINFRAME, "program"},     {IDI_FLOPPY, "floppy"},
    {IDI_HARD_DRIVE, "hard drive"}, {IDI_CDROM, "CD-ROM"},
    {IDI_NETWORK_DRIVE, "network"}, {IDI_REMOVABLE, "removable"},
    {IDI_NO_DISK, "no disk"},       {IDI_UNKNOWN_DRIVE, "unknown drive"},
    {IDI_ZIP_DRIVE, "Zip drive"},   {IDI_PROCESSOR, "processor"},
    {IDI_EXTENDED_INFO, "monitor"}, {IDI_DIRECTORY_VIEW, "folder"},
    {IDI_OPTIONS, "options"},       {IDI_PIE, "pie"},
    {IDI_MONITOR, "display group"}, {IDI_POWER, "power group"},
};

TEST(Resources, EveryIconLoadsAt32By32From256ColourArt) {
  for (const auto& c : kIcons) {
    SCOPED_TRACE(c.role);
    fw::UniqueIcon icon(static_cast<HICON>(::LoadImageA(Module(), MAKEINTRESOURCEA(c.id), IMAGE_ICON, 32, 32, 0)));
    ASSERT_TRUE(icon) << "icon " << c.id;
    POINT hot{};
    bool isIcon = false;
    SIZE size = ImageSize(icon.get(), &hot, &isIcon);
    EXPECT_TRUE(isIcon);
    EXPECT_EQ(32, size.cx);
    EXPECT_EQ(32, size.cy);

    // The stored image is drawn at 32x32, not scaled from another size.
    int count = 0;
    const BITMAPINFOHEADER* bih = PickedImage(c.id, true, 32, 32, &count);
    ASSERT_NE(nullptr, bih);
    EXPECT_EQ(32, bih->biWidth);
    EXPECT_EQ(64, bih->biHeight);  // colour plane and mask
    EXPECT_EQ(8, bih->biBitCount);
  }
}

TEST(Resources, ProgramIconCarriesItsOwnSmallImage) {
  int count = 0;
  const BITMAPINFOHEADER* small = PickedImage(IDR_MAINFRAME, true, 16, 16, &count);
  EXPECT_EQ(2, count);
  ASSERT_NE(nullptr, small);
  EXPECT_EQ(16, small->biWidth);
  EXPECT_EQ(32, small->biHeight);
}

TEST(Resources, EveryMakersLogoHasItsSizeAndColourDepth) {
  const struct {
    int id;
    const char* maker;
    LONG cx, cy;
    WORD bits;
  } logos[] = {{IDB_LOGO_AMD, "AMD", 122, 37, 24},
               {IDB_LOGO_CYRIX, "Cyrix", 80, 38, 24},
               {IDB_LOGO_INTEL, "Intel", 72, 37, 24},
               {IDB_LOGO_CENTAUR, "Centaur", 86, 72, 8}};
  for (const auto& l : logos) {
    SCOPED_TRACE(l.maker);
    HRSRC res = ::FindResourceA(Module(), MAKEINTRESOURCEA(l.id), RT_BITMAP);
    ASSERT_NE(nullptr, res);
    const auto* bih = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(Module(), res)));
    ASSERT_NE(nullptr, bih);
    EXPECT_EQ(l.bits, bih->biBitCount);
    // Loaded as the processor window loads it.
    fw::UniqueBitmap bitmap(::LoadBitmapA(Module(), MAKEINTRESOURCEA(l.id)));
    ASSERT_TRUE(bitmap);
    BITMAP bm{};
    ASSERT_NE(0, ::GetObjectA(bitmap.get(), sizeof bm, &bm));
    EXPECT_EQ(l.cx, bm.bmWidth);
    EXPECT_EQ(l.cy, bm.bmHeight);
  }
}

struct CursorCase {
  int id;
  const char* role;
  POINT hotSpot;
};

const CursorCase kCursors[] = {
    {IDCUR_POINTING_HAND, "pointing hand", {13, 3}},
    {IDCUR_OPEN_HAND, "open hand", {15, 11}},
    {IDCUR_ARROW, "arrow", {2, 3}},
};

TEST(Resources, EveryCursorLoadsWithItsHotSpot) {
  for (const auto& c : kCursors) {
    SCOPED_TRACE(c.role);
    // Loaded the way the windows load it: shared, never destroyed.
    HCURSOR cursor = ::LoadCursorA(Module(), MAKEINTRESOURCEA(c.id));
    ASSERT_NE(nullptr, cursor) << "cursor " << c.id;
    POINT hot{-1, -1};
    bool isIcon = true;
    SIZE size = ImageSize(cursor, &hot, &isIcon);
    EXPECT_FALSE(isIcon);
    EXPECT_EQ(c.hotSpot.x, hot.x);
    EXPECT_EQ(c.hotSpot.y, hot.y);
    EXPECT_EQ(32, size.cx);
    EXPECT_EQ(32, size.cy);

    int count = 0;
    const BITMAPINFOHEADER* bih = PickedImage(c.id, false, 32, 32, &count);
    EXPECT_EQ(1, count);
    ASSERT_NE(nullptr, bih);
    EXPECT_EQ(32, bih->biWidth);
    EXPECT_EQ(8, bih->biBitCount);
  }
}

struct StringCase {
  int id;
  const char* text;
};

const StringCase kStrings[] = {
    {IDS_ABOUTBOX, "&About Vantrel..."},
    {IDS_PROGRAM_VERSION, VT_PROGRAM_VERSION_TEXT},
    {IDC_PROCESSOR_INFO, "Advanced Processor Information..."},
    {IDC_DRIVE_LIST, "Drive selection"},
    {IDC_EXTENDED_INFO, "Extended Information..."},
    {IDC_DIRECTORY_VIEW, "Directory View..."},
    {IDC_WATCH, "Watch this drive"},
    {IDC_DRIVE_REFRESH, "Manual Refresh"},
    {IDC_OPTIONS, "Vantrel Options..."},
    {IDC_MEMORY_COUNTDOWN, "Memory Info Refresh Time"},
    {IDC_DRIVE_COUNTDOWN, "Drive Info Refresh Time"},
};

TEST(Resources, StringsHaveTheirExactTexts) {
  for (const auto& c : kStrings) {
    char buf[256];
    int n = ::LoadStringA(Module(), c.id, buf, sizeof buf);
    EXPECT_EQ(std::string(c.text), std::string(buf, n > 0 ? n : 0)) << "string " << c.id;
  }
}

TEST(Resources, VersionTextFitsTheTrayBuffer) {
  // The tray tooltip reads string 1043 into a 20-character buffer.
  char buf[20];
  int n = ::LoadStringA(Module(), IDS_PROGRAM_VERSION, buf, sizeof buf);
  EXPECT_EQ(std::string(VT_PROGRAM_VERSION_TEXT), std::string(buf, n > 0 ? n : 0));
}

TEST(Resources, ControlsWithoutTooltipHaveNoString) {
  // A control with no string shows no tooltip: the value texts must stay silent.
  for (int id : {IDC_COMPUTER_NAME, IDC_DRIVE_TYPE, IDC_PIE, IDC_USED_PERCENT}) {
    char buf[64];
    EXPECT_EQ(0, ::LoadStringA(Module(), id, buf, sizeof buf)) << "string " << id;
  }
}

// ------------------------------------------------------------------ dialog 102

INT_PTR CALLBACK QuietDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class DialogWindow {
 public:
  explicit DialogWindow(HWND h) : h_(h) {}
  ~DialogWindow() {
    if (h_) ::DestroyWindow(h_);
  }
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;
  HWND get() const { return h_; }

 private:
  HWND h_;
};

enum Kind { kStatic, kButton, kCombo, kProgress };

struct Item {
  int id;
  Kind kind;
  DWORD typeMask;  // style bits that select the control's variant ...
  DWORD type;      // ... and their value
  DWORD flags;     // further style bits that must be set
  bool tabStop;
  const char* text;
  RECT du;  // x, y, width, height in dialog units
};

constexpr DWORD kPush = BS_TYPEMASK & ~BS_DEFPUSHBUTTON;  // the focused button may become default
constexpr DWORD kAnyStatic = SS_TYPEMASK;

// Every item of the template, in template order (which is also the tab order).
const Item kItems[] = {
    {-1, kStatic, kAnyStatic, SS_BLACKFRAME, 0, false, "", {0, 0, 160, 35}},
    {-1, kStatic, kAnyStatic, SS_BLACKFRAME, 0, false, "", {0, 35, 230, 40}},
    {-1, kStatic, kAnyStatic, SS_BLACKFRAME, 0, false, "", {0, 75, 265, 65}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "Computer Name :", {5, 5, 60, 8}},
    {IDC_COMPUTER_NAME, kStatic, kAnyStatic, SS_LEFT, SS_NOPREFIX, false, "", {70, 5, 90, 8}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "User :", {45, 15, 20, 8}},
    {IDC_USER_NAME, kStatic, kAnyStatic, SS_LEFT, SS_NOPREFIX, false, "", {70, 15, 90, 8}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "CPU Category :", {13, 25, 52, 8}},
    {IDC_CPU_CATEGORY, kStatic, kAnyStatic, SS_LEFT, 0, false, "", {70, 25, 90, 8}},
    {IDC_PROCESSOR_INFO,
     kButton,
     kPush,
     BS_PUSHBUTTON,
     BS_ICON,
     true,
     "Advanced Processor Information...",
     {165, 5, 30, 25}},
    {IDC_EXTENDED_INFO,
     kButton,
     kPush,
     BS_PUSHBUTTON,
     BS_ICON,
     true,
     "Extended System Information...",
     {200, 5, 30, 25}},
    {IDC_DIRECTORY_VIEW, kButton, kPush, BS_PUSHBUTTON, BS_ICON, true, "Directory\nView", {235, 5, 30, 25}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "Physical Memory :", {3, 40, 61, 8}},
    {IDC_PHYSICAL_MEMORY, kStatic, kAnyStatic, SS_LEFT, 0, false, "", {70, 40, 40, 8}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "Free Memory :", {3, 50, 61, 8}},
    {IDC_FREE_MEMORY, kStatic, kAnyStatic, SS_LEFT, 0, false, "", {70, 50, 40, 8}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "Memory Utilization :", {1, 60, 63, 8}},
    {IDC_MEMORY_LOAD, kStatic, kAnyStatic, SS_LEFT, 0, false, "", {70, 60, 40, 8}},
    {IDC_MEMORY_COUNTDOWN, kProgress, 0, 0, PBS_VERTICAL | PBS_SMOOTH | WS_BORDER, false, "", {215, 40, 10, 28}},
    {IDC_OPTIONS, kButton, kPush, BS_PUSHBUTTON, BS_ICON, true, "&Options...", {235, 40, 30, 25}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "Drive : ", {15, 85, 28, 8}},
    {IDC_DRIVE_LIST, kCombo, 0x3, CBS_DROPDOWNLIST, CBS_UPPERCASE | WS_VSCROLL, true, "", {45, 79, 45, 80}},
    {IDC_DRIVE_REFRESH, kButton, kPush, BS_PUSHBUTTON, BS_ICON, true, "Refresh", {115, 80, 30, 25}},
    {IDC_PIE, kButton, kPush, BS_PUSHBUTTON, BS_ICON, true, "Pie", {145, 90, 20, 15}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "Type :", {150, 80, 21, 8}},
    {IDC_DRIVE_TYPE, kStatic, kAnyStatic, SS_LEFT, 0, false, "", {175, 80, 70, 8}},
    {IDC_WATCH, kButton, BS_TYPEMASK, BS_AUTOCHECKBOX, WS_DISABLED, true, " Watch", {175, 90, 40, 8}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "Drive Capacity :", {10, 105, 54, 8}},
    {IDC_DRIVE_CAPACITY, kStatic, kAnyStatic, SS_LEFT, 0, false, "", {70, 105, 40, 8}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "Used Space :", {10, 115, 54, 8}},
    {IDC_DRIVE_USED, kStatic, kAnyStatic, SS_LEFT, 0, false, "", {70, 115, 39, 8}},
    {IDC_USED_PERCENT, kStatic, kAnyStatic, SS_LEFTNOWORDWRAP, 0, false, "", {215, 115, 20, 8}},
    {-1, kStatic, kAnyStatic, SS_RIGHT, 0, false, "Free Space :", {5, 125, 59, 8}},
    {IDC_DRIVE_FREE, kStatic, kAnyStatic, SS_LEFT, 0, false, "", {70, 125, 39, 8}},
    {IDC_FREE_PERCENT, kStatic, kAnyStatic, SS_LEFT, 0, false, "", {215, 125, 20, 8}},
    {IDC_DRIVE_COUNTDOWN, kProgress, 0, 0, PBS_VERTICAL | PBS_SMOOTH | WS_BORDER, false, "", {250, 80, 10, 55}},
};

const char* ClassOf(Kind k) {
  switch (k) {
    case kStatic:
      return "Static";
    case kButton:
      return "Button";
    case kCombo:
      return "ComboBox";
    case kProgress:
      return PROGRESS_CLASSA;
  }
  return "";
}

// Maps position and size separately, as the dialog manager places controls:
// the right edge is X(x) + X(width), which can differ by a pixel from X(x + width).
RECT DialogUnitsToPixels(HWND dlg, const RECT& du) {
  RECT r = du;  // left, top, width, height
  ::MapDialogRect(dlg, &r);
  return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

RECT RectInClient(HWND dlg, HWND child) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(HWND_DESKTOP, dlg, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string TextOf(HWND w) {
  char buf[256];
  int n = ::GetWindowTextA(w, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

void ShowWithArtwork(HWND dlg, DWORD holdMs) {
  const struct {
    int control, icon;
  } images[] = {{IDC_PROCESSOR_INFO, IDI_PROCESSOR},
                {IDC_EXTENDED_INFO, IDI_EXTENDED_INFO},
                {IDC_DIRECTORY_VIEW, IDI_DIRECTORY_VIEW},
                {IDC_OPTIONS, IDI_OPTIONS},
                {IDC_PIE, IDI_PIE},
                {IDC_DRIVE_REFRESH, IDI_HARD_DRIVE}};
  for (const auto& i : images) {
    ::SendDlgItemMessageA(dlg, i.control, BM_SETIMAGE, IMAGE_ICON,
                          reinterpret_cast<LPARAM>(::LoadIconA(Module(), MAKEINTRESOURCEA(i.icon))));
  }
  const struct {
    int control;
    const char* text;
  } texts[] = {{IDC_COMPUTER_NAME, "WINEHOST"},
               {IDC_USER_NAME, "user"},
               {IDC_CPU_CATEGORY, "Pentium II(tm) / Compatible"},
               {IDC_PHYSICAL_MEMORY, "2048 MB"},
               {IDC_FREE_MEMORY, "1530 MB"},
               {IDC_MEMORY_LOAD, "25%"},
               {IDC_DRIVE_TYPE, "Hard Drive"},
               {IDC_DRIVE_CAPACITY, "4096 MB"},
               {IDC_DRIVE_USED, "3072 MB"},
               {IDC_DRIVE_FREE, "1024 MB"},
               {IDC_USED_PERCENT, "75%"},
               {IDC_FREE_PERCENT, "25%"}};
  for (const auto& t : texts) ::SetDlgItemTextA(dlg, t.control, t.text);
  ::SendDlgItemMessageA(dlg, IDC_DRIVE_LIST, CB_DIR, DDL_DRIVES | DDL_EXCLUSIVE, reinterpret_cast<LPARAM>(""));
  ::SendDlgItemMessageA(dlg, IDC_DRIVE_LIST, CB_SETCURSEL, 0, 0);
  ::EnableWindow(::GetDlgItem(dlg, IDC_WATCH), TRUE);
  ::SendDlgItemMessageA(dlg, IDC_MEMORY_COUNTDOWN, PBM_SETPOS, 60, 0);
  ::SendDlgItemMessageA(dlg, IDC_DRIVE_COUNTDOWN, PBM_SETPOS, 30, 0);
  ::SetWindowPos(dlg, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  DWORD end = ::GetTickCount() + holdMs;
  while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!::IsDialogMessageA(dlg, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
    }
    ::Sleep(20);
  }
}

// Each control as the dialog manager asks for it, recorded at creation:
// controls adjust themselves afterwards (a progress bar swaps its border for a
// static edge, a combo box shrinks to its selection field and hands WS_VSCROLL
// to its list), so the template's intent is checked here.
struct Created {
  HWND wnd;
  DWORD style;
  DWORD exStyle;
  int cy;
};
std::vector<Created> g_created;

LRESULT CALLBACK RecordCreation(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs;
    g_created.push_back({reinterpret_cast<HWND>(wp), static_cast<DWORD>(cs->style), cs->dwExStyle, cs->cy});
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

Created CreatedAs(HWND w) {
  for (const auto& c : g_created) {
    if (c.wnd == w) return c;
  }
  return Created{w, 0, 0, 0};
}

// One dialog serves the whole suite: the tests only look at it.
class MainDialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    g_created.clear();
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, RecordCreation, nullptr, ::GetCurrentThreadId());
    // The platform cannot create "{CLSID}" items: create the template as the
    // control container hands it over, without the gauges.
    resource_ = fw::occ::LoadDialogResource(Module(), MAKEINTRESOURCEW(IDD_VANTREL_DIALOG));
    dialog_ = std::make_unique<DialogWindow>(
        resource_
            ? ::CreateDialogIndirectParamA(Module(), fw::occ::TemplateOf(resource_->split), nullptr, QuietDialogProc, 0)
            : nullptr);
    createError_ = ::GetLastError();
    if (hook) ::UnhookWindowsHookEx(hook);
  }
  static void TearDownTestSuite() { dialog_.reset(); }
  void SetUp() override { ASSERT_NE(nullptr, dialog_->get()) << "CreateDialogParam failed, error " << createError_; }
  static HWND dlg() { return dialog_->get(); }

  static std::unique_ptr<DialogWindow> dialog_;
  static DWORD createError_;
  static std::optional<fw::occ::DialogResource> resource_;
};
std::unique_ptr<DialogWindow> MainDialog::dialog_;
std::optional<fw::occ::DialogResource> MainDialog::resource_;
DWORD MainDialog::createError_ = 0;

TEST_F(MainDialog, FrameTitleAndFont) {
  EXPECT_EQ("Computer Information", TextOf(dlg()));
  DWORD style = static_cast<DWORD>(::GetWindowLongA(dlg(), GWL_STYLE));
  for (DWORD bit : {DWORD{WS_VISIBLE}, DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}, DWORD{WS_POPUP}, DWORD{DS_MODALFRAME}}) {
    EXPECT_EQ(bit, style & bit) << std::hex << bit;
  }
  EXPECT_EQ(0u, style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(::GetWindowLongA(dlg(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

  RECT client{};
  ::GetClientRect(dlg(), &client);
  RECT expected = DialogUnitsToPixels(dlg(), RECT{0, 0, 267, 140});
  EXPECT_EQ(expected.right, client.right);
  EXPECT_EQ(expected.bottom, client.bottom);

  LOGFONTA lf{};
  HFONT font = reinterpret_cast<HFONT>(::SendMessageA(dlg(), WM_GETFONT, 0, 0));
  ASSERT_NE(nullptr, font);
  ASSERT_NE(0, ::GetObjectA(font, sizeof lf, &lf));
  EXPECT_STREQ("Arial", lf.lfFaceName);
  fw::UniqueDc screen(::CreateCompatibleDC(nullptr));
  EXPECT_EQ(-::MulDiv(8, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72), lf.lfHeight);
}

TEST_F(MainDialog, EveryControlHasItsClassStylesTextAndPlace) {
  std::vector<HWND> children;
  for (HWND w = ::GetWindow(dlg(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) children.push_back(w);
  ASSERT_EQ(std::size(kItems), children.size());

  for (size_t i = 0; i < children.size(); ++i) {
    const Item& it = kItems[i];
    HWND w = children[i];
    SCOPED_TRACE(testing::Message() << "item " << i << " id " << it.id << " \"" << it.text << "\"");
    EXPECT_EQ(it.id, static_cast<int>(static_cast<short>(::GetDlgCtrlID(w))));

    char cls[64] = {};
    ::GetClassNameA(w, cls, sizeof cls);
    EXPECT_EQ(0, ::lstrcmpiA(ClassOf(it.kind), cls)) << cls;

    const Created created = CreatedAs(w);
    DWORD style = created.style;
    // On a 3-D dialog the dialog manager draws WS_BORDER as a sunken client edge.
    if (created.exStyle & WS_EX_CLIENTEDGE) style |= WS_BORDER;
    EXPECT_EQ(it.type, style & it.typeMask) << std::hex << style;
    EXPECT_EQ(it.flags, style & it.flags) << std::hex << style;
    EXPECT_EQ(it.tabStop, (style & WS_TABSTOP) != 0);
    EXPECT_TRUE(::IsWindowVisible(w));
    EXPECT_EQ((it.flags & WS_DISABLED) == 0, ::IsWindowEnabled(w) != FALSE);
    if (it.kind != kCombo) {
      EXPECT_EQ(it.text, TextOf(w));
    }

    RECT want = DialogUnitsToPixels(dlg(), it.du);
    RECT got = RectInClient(dlg(), w);
    EXPECT_EQ(want.left, got.left);
    EXPECT_EQ(want.top, got.top);
    EXPECT_EQ(want.right, got.right);
    if (it.kind == kCombo) {
      // The window shrinks to its selection field; the template's height is
      // the extent of the dropped list, asked for at creation.
      EXPECT_EQ(want.bottom - want.top, created.cy);
    } else {
      EXPECT_EQ(want.bottom, got.bottom);
    }
  }

  if (const char* hold = std::getenv("VT_RES_HOLD_MS")) ShowWithArtwork(dlg(), std::strtoul(hold, nullptr, 10));
}

TEST_F(MainDialog, EveryTooltipStringBelongsToAControl) {
  for (const auto& c : kStrings) {
    if (c.id == IDS_ABOUTBOX || c.id == IDS_PROGRAM_VERSION) continue;
    EXPECT_NE(nullptr, ::GetDlgItem(dlg(), c.id)) << "no control " << c.id;
  }
}

}  // namespace

namespace vantrel_res_gauges {

// The four gauges: hosted by the gauge module's class identifier, each with
// its initial stream.
TEST(MainDialogGauges, NameTheGaugeClassAndCarryTheirInitialStreams) {
  auto res = fw::occ::LoadDialogResource(::GetModuleHandleA(nullptr), MAKEINTRESOURCEW(IDD_VANTREL_DIALOG));
  ASSERT_TRUE(res.has_value());
  const std::string clsid = zelbo::kCtrlClsidText;
  const std::u16string wideClsid(clsid.begin(), clsid.end());
  const struct {
    unsigned id;
    short x, y;
    std::uint8_t percent, tail0, tail1;
  } gauges[] = {{IDC_GAUGE_FREE_MEMORY, 115, 50, 0xED, 0x26, 0x05},
                {IDC_GAUGE_MEMORY_LOAD, 115, 60, 0x2C, 0x45, 0x00},
                {IDC_GAUGE_DRIVE_USED, 115, 115, 0xED, 0x26, 0x05},
                {IDC_GAUGE_DRIVE_FREE, 115, 125, 0x2C, 0x45, 0x00}};
  ASSERT_EQ(res->split.controls.size(), std::size(gauges));
  for (size_t i = 0; i < std::size(gauges); ++i) {
    const auto& g = gauges[i];
    const auto& item = res->split.controls[i];
    EXPECT_EQ(item.id, g.id);
    EXPECT_EQ(item.classId, wideClsid);
    EXPECT_EQ(item.x, g.x);
    EXPECT_EQ(item.y, g.y);
    EXPECT_EQ(item.cx, 95);
    EXPECT_EQ(item.cy, 8);
    EXPECT_EQ(item.style, 0x50010000u) << g.id;
    const std::vector<std::uint8_t> stream = {0x00, 0x00, 0x01, 0x00, 0xC8, 0x0E, 0x00, 0x00,      0x72,    0x01,
                                              0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, g.percent, g.tail0, g.tail1};
    ASSERT_EQ(res->streams.count(static_cast<std::uint16_t>(g.id)), 1u) << g.id;
    EXPECT_EQ(res->streams.at(static_cast<std::uint16_t>(g.id)), stream) << g.id;
  }
}

}  // namespace vantrel_res_gauges
