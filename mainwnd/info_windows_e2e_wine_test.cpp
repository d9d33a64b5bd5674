// The processor and extended information windows of a real Vantrel.exe,
// opened from the main window's buttons and read from outside the process.
//
// VT_INFO_HOLD_MS=<ms> keeps each window on screen that long, so it can be
// looked at or captured.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "fw/handle.h"
#include "mainwnd/e2e_fixture.h"
#include "probes/cpu_probe.h"
#include "probes/extended_texts.h"
#include "probes/processor_texts.h"
#include "res/resource.h"

namespace vantrel::e2e {
namespace {

constexpr char kProcessorTitle[] = "Advanced Processor Information";
constexpr char kExtendedTitle[] = "Extended Information";
// Colours no default window text has, so that a pixel of them is the rule's.
constexpr COLORREF kLabelColour = RGB(255, 0, 0);
constexpr COLORREF kListColour = RGB(0, 0, 255);

constexpr char kDisplayKey[] = "Config\\0001\\Display\\settings";
constexpr char kMonitorKey[] = "enum\\monitor\\default_monitor\\0001";

// A machine key for the length of a test: whatever part of its path did not
// exist before goes again afterwards.
class TemporaryMachineKey {
 public:
  explicit TemporaryMachineKey(const std::string& path) {
    for (size_t end = path.find('\\'); created_.empty(); end = path.find('\\', end + 1)) {
      const std::string part = path.substr(0, end);
      fw::UniqueKey existing;
      if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, part.c_str(), 0, KEY_READ, existing.put()) != ERROR_SUCCESS)
        created_ = part;
      if (end == std::string::npos) break;
    }
    ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(), nullptr);
  }
  ~TemporaryMachineKey() {
    key_.reset();
    if (!created_.empty()) ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, created_.c_str());
  }
  TemporaryMachineKey(const TemporaryMachineKey&) = delete;
  TemporaryMachineKey& operator=(const TemporaryMachineKey&) = delete;

  bool Put(const char* name, const std::string& value) const {
    return ::RegSetValueExA(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  }

 private:
  fw::UniqueKey key_;
  std::string created_;
};

// Whether the control shows at least one pixel of `colour` on screen.
bool ShowsColour(HWND control, COLORREF colour) {
  ::RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  return ScreenPixels::Of(control).Has(colour);
}

std::wstring ListRow(HWND list, int row) {
  // Across processes the item text is passed reliably only in wide form.
  wchar_t text[128] = {};
  ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
  return text;
}

RECT RectInClient(HWND wnd, HWND child) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The dialogs' font, 8-point Arial, for measuring texts as the windows draw
// them: their own font handle means nothing outside their process.
class DialogFont {
 public:
  DialogFont() {
    font_.reset(::CreateFontA(-::MulDiv(8, ::GetDeviceCaps(dc_.get(), LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                              FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
  }
  int Extent(const char* text) const {
    fw::SelectScope select(dc_.get(), font_.get());
    SIZE size{};
    ::GetTextExtentPoint32A(dc_.get(), text, static_cast<int>(std::char_traits<char>::length(text)), &size);
    return size.cx;
  }

 private:
  fw::UniqueDc dc_{::CreateCompatibleDC(nullptr)};
  fw::UniqueFont font_;
};

// A list box draws its items a little in from its left edge.
constexpr int kListTextMargin = 2;

std::wstring Wide(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

void HoldForALook() {
  if (const char* hold = std::getenv("VT_INFO_HOLD_MS")) ::Sleep(std::strtoul(hold, nullptr, 10));
}

class InfoWindows : public StartedProgramTest {
 protected:
  void StoreSettings() override {
    PutDword("Settings", "labelText", kLabelColour);
    PutDword("Settings", "listText", kListColour);
  }

  // Clicks the main window's button and waits for the window it opens: an
  // owned window over a disabled main window.
  HWND OpenFromButton(int button, const char* title) {
    HWND control = ::GetDlgItem(main, button);
    EXPECT_TRUE(::IsWindowEnabled(control)) << button;
    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    HWND wnd = app.WaitForWindow(title);
    EXPECT_NE(wnd, nullptr) << "no window \"" << title << "\"";
    if (!wnd) return nullptr;
    EXPECT_EQ(::GetWindow(wnd, GW_OWNER), main);
    EXPECT_FALSE(::IsWindowEnabled(main));
    return wnd;
  }

  // Closes the window with OK; the main window is usable again.
  void CloseWithOk(HWND wnd) {
    HoldForALook();
    ::PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(wnd); }));
    EXPECT_TRUE(::IsWindowEnabled(main));
  }
};

TEST_F(InfoWindows, ProcessorWindowShowsWhatTheProcessorReports) {
  // What this machine's processor tells the test, which runs on it too.
  CpuidInfo info;
  ASSERT_TRUE(ReadCpuid(info));
  const ProcessorTexts expected = DescribeProcessor(&info, ReadOsProcessorValues(), [] { return std::uint64_t{0}; });

  HWND wnd = OpenFromButton(IDC_PROCESSOR_INFO, kProcessorTitle);
  ASSERT_NE(wnd, nullptr);

  EXPECT_EQ(ItemText(wnd, IDC_PROC_TYPE), expected.type);
  EXPECT_EQ(ItemText(wnd, IDC_PROC_VENDOR), expected.vendor);
  EXPECT_EQ(ItemText(wnd, IDC_PROC_COUNT), expected.processors);
  EXPECT_EQ(ItemText(wnd, IDC_PROC_REVISION), expected.revision);
  // The registered sign whatever the code page: in code page 1252 it is 0xAE.
  wchar_t label[64] = {};
  ::SendMessageW(::GetDlgItem(wnd, IDC_PROC_VENDOR_LABEL), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(label, L"\u00AE" + Wide(expected.vendorLabel.c_str() + 1));
  EXPECT_EQ(ItemText(wnd, IDC_PROC_FPU), "Present");
  EXPECT_EQ(ItemText(wnd, IDC_PROC_MMX), expected.mmx);
  // Measured over a second: a plausible whole number of megahertz.
  const std::string clock = ItemText(wnd, IDC_PROC_CLOCK);
  ASSERT_GT(clock.size(), 4u);
  EXPECT_EQ(clock.substr(clock.size() - 4), " MHz");
  EXPECT_GE(std::atoi(clock.c_str()), 100) << clock;

  // The maker's logo, at the size its bitmap has, whole within the window.
  const struct {
    VendorLogo logo;
    SIZE size;
  } logos[] = {{VendorLogo::Amd, {122, 37}},
               {VendorLogo::Cyrix, {80, 38}},
               {VendorLogo::Intel, {72, 37}},
               {VendorLogo::Centaur, {86, 72}}};
  HWND logo = ::GetDlgItem(wnd, IDC_PROC_LOGO);
  for (const auto& l : logos) {
    if (l.logo != expected.logo) continue;
    EXPECT_NE(::SendMessageA(logo, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    const RECT r = RectInClient(wnd, logo);
    EXPECT_EQ(r.right - r.left, l.size.cx);
    EXPECT_EQ(r.bottom - r.top, l.size.cy);
    RECT client{};
    ::GetClientRect(wnd, &client);
    EXPECT_LE(r.right, client.right);
  }

  // The feature names in table order, each whole in the list's width.
  HWND list = ::GetDlgItem(wnd, IDC_PROC_FEATURES);
  ASSERT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(FeatureTable.size()));
  RECT listClient{};
  ::GetClientRect(list, &listClient);
  DialogFont font;
  for (size_t r = 0; r < FeatureTable.size(); ++r) {
    EXPECT_EQ(ListRow(list, static_cast<int>(r)), Wide(FeatureTable[r].text)) << "row " << r;
    EXPECT_LE(font.Extent(FeatureTable[r].text) + kListTextMargin, listClient.right) << FeatureTable[r].text;
  }

  // Keys that move the selection show the chosen row's state. Which row the
  // first key picks while none is selected is the platform's choice.
  EXPECT_EQ(ItemText(wnd, IDC_PROC_FEATURE_STATE), "");
  auto stateShown = [&] {
    const int row = static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
    return row >= 0 && ItemText(wnd, IDC_PROC_FEATURE_STATE) == FeatureStateText(info, row);
  };
  ::PostMessageA(list, WM_KEYDOWN, VK_END, 0);
  EXPECT_TRUE(WaitFor(stateShown));
  for (const auto& key : {std::pair<WPARAM, int>{VK_END, 15}, {VK_UP, 14}, {VK_HOME, 0}}) {
    ::PostMessageA(list, WM_KEYDOWN, key.first, 0);
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(list, LB_GETCURSEL, 0, 0) == key.second && stateShown(); }))
        << "row " << key.second;
  }

  // Statics and the read-only edit in the label colour, the list in the list colour.
  EXPECT_TRUE(WaitFor([&] { return ShowsColour(::GetDlgItem(wnd, IDC_PROC_VENDOR), kLabelColour); }));
  EXPECT_TRUE(WaitFor([&] { return ShowsColour(::GetDlgItem(wnd, IDC_PROC_FEATURE_STATE), kLabelColour); }));
  EXPECT_TRUE(WaitFor([&] { return ShowsColour(list, kListColour); }));

  CloseWithOk(wnd);
}

TEST_F(InfoWindows, ExtendedWindowShowsSystemDisplayAndPower) {
  // Without the display keys of the 95 generation, as on every current
  // Windows: the screen this test runs on.
  HWND wnd = OpenFromButton(IDC_EXTENDED_INFO, kExtendedTitle);
  ASSERT_NE(wnd, nullptr);
  HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(ItemText(wnd, IDC_EXT_BITS_PER_PIXEL), std::to_string(::GetDeviceCaps(screen, BITSPIXEL)));
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(ItemText(wnd, IDC_EXT_RESOLUTION), ResolutionText(std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + "," +
                                                              std::to_string(::GetSystemMetrics(SM_CYSCREEN))));
  EXPECT_NE(ItemText(wnd, IDC_EXT_MONITOR), "");
  CloseWithOk(wnd);

  // Where the keys are, they win.
  const TemporaryMachineKey display(kDisplayKey), monitor(kMonitorKey);
  ASSERT_TRUE(display.Put("Resolution", "1024,768"));
  ASSERT_TRUE(display.Put("BitsPerPixel", "16"));
  ASSERT_TRUE(monitor.Put("DeviceDesc", "Plug and Play Monitor"));
  wnd = OpenFromButton(IDC_EXTENDED_INFO, kExtendedTitle);
  ASSERT_NE(wnd, nullptr);

  // What Wine reports: Windows 7 with its service pack, on mains power
  // without a battery.
  const struct {
    int id;
    const char* text;
  } texts[] = {{IDC_EXT_OS_NAME, "Windows NT"},
               {IDC_EXT_VERSION, "6.1"},
               {IDC_EXT_BUILD, "7601"},
               {IDC_EXT_EXTRA, "Service Pack 1"},
               {IDC_EXT_RESOLUTION, "1024  x  768   "},
               {IDC_EXT_BITS_PER_PIXEL, "16"},
               {IDC_EXT_MONITOR, "Plug and Play Monitor"},
               {IDC_EXT_AC_STATUS, "Online"},
               {IDC_EXT_BATTERY_STATUS, "No system battery"},
               {IDC_EXT_CHARGE, "Unknown status"},
               {IDC_EXT_LIFE_LEFT, "Unknown status"},
               {IDC_EXT_FULL_LIFE, "Unknown status"}};
  for (const auto& t : texts) EXPECT_EQ(ItemText(wnd, t.id), t.text) << t.id;

  EXPECT_TRUE(WaitFor([&] { return ShowsColour(::GetDlgItem(wnd, IDC_EXT_OS_NAME), kLabelColour); }));

  CloseWithOk(wnd);
}

}  // namespace
}  // namespace vantrel::e2e
