// Vantrel.exe end to end under Wine, driven from outside the process.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/process_counters.h"
#include "fw/com.h"
#include "fw/top_window.h"
#include "mainwnd/e2e_fixture.h"
#include "mainwnd/refresh_cycle.h"
#include "probes/processor_category.h"
#include "res/resource.h"

namespace vantrel::e2e {
namespace {

using VantrelRun = ProgramTest;

int LeadingNumber(const std::string& text) { return std::atoi(text.c_str()); }

TEST_F(VantrelRun, ShowsTheSystemSummaryAndWritesDefaultSettingsAtExit) {
  HWND dlg = Start("");  // as a user starts it, splash and all
  ASSERT_NE(dlg, nullptr);

  // Computer name from the machine's registry, user name, processor category.
  HKEY key = nullptr;
  char name[256] = {};
  DWORD size = sizeof name;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName", 0,
                            KEY_READ, &key),
            ERROR_SUCCESS);
  ::RegQueryValueExA(key, "ComputerName", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &size);
  ::RegCloseKey(key);
  EXPECT_EQ(ItemText(dlg, IDC_COMPUTER_NAME), name);

  char user[25] = {};
  DWORD userSize = sizeof user;
  ASSERT_TRUE(::GetUserNameA(user, &userSize));
  EXPECT_EQ(ItemText(dlg, IDC_USER_NAME), user);

  SYSTEM_INFO si{};
  ::GetSystemInfo(&si);
  EXPECT_EQ(ItemText(dlg, IDC_CPU_CATEGORY), ProcessorCategory(si.dwProcessorType, si.wProcessorLevel));

  // Memory by the +1 rule. Free memory and load move, the more so while other
  // tests start and end programs beside this one: a drift of half a gigabyte
  // is allowed, still far below what a wrong unit or field would give.
  MEMORYSTATUS ms{};
  ms.dwLength = sizeof ms;
  ::GlobalMemoryStatus(&ms);
  const MemoryFigures m = ComputeMemoryFigures(ms.dwTotalPhys, ms.dwAvailPhys, ms.dwMemoryLoad);
  EXPECT_EQ(ItemText(dlg, IDC_PHYSICAL_MEMORY), m.totalText);
  const std::string freeText = ItemText(dlg, IDC_FREE_MEMORY);
  EXPECT_EQ(freeText.substr(freeText.size() - 3), " MB");
  EXPECT_NEAR(LeadingNumber(freeText), static_cast<int>(m.freeMB), 512);
  const std::string load = ItemText(dlg, IDC_MEMORY_LOAD);
  EXPECT_EQ(load.back(), '%');
  EXPECT_NEAR(LeadingNumber(load), static_cast<int>(m.load), 10);

  // No drive chosen yet: the panel is blank, Pie and Watch are disabled.
  EXPECT_EQ(ItemText(dlg, IDC_DRIVE_TYPE), "");
  EXPECT_EQ(ItemText(dlg, IDC_DRIVE_CAPACITY), "");
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, IDC_PIE)));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, IDC_WATCH)));

  // The tooltip control covers the window's controls; it comes once the
  // window has first shown.
  EXPECT_TRUE(WaitFor([&] {
    HWND tips = fw::FindTopWindow(
        [&](HWND wnd) { return fw::ClassOf(wnd) == TOOLTIPS_CLASSA && ::GetWindow(wnd, GW_OWNER) == dlg; });
    return tips && ::SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0) >= 9;
  }));

  End(dlg);

  const struct {
    const char* name;
    DWORD value;
  } expected[] = {{"AutoHide", 0},  {"Percent", 15}, {"nTooltip", 0},    {"MemoryPos", 10},   {"DrivePos", 10},
                  {"labelText", 0}, {"listText", 0}, {"CloseNotify", 0}, {"DisableNotify", 0}};
  for (const auto& e : expected) {
    const StoredValue v = Stored("Settings", e.name);
    EXPECT_TRUE(v.present) << e.name;
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_DWORD)) << e.name;
    EXPECT_EQ(v.dword, e.value) << e.name;
  }
  // The vendor key is created on the first run, empty.
  HKEY vendor = nullptr;
  EXPECT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Ostrel, Inc.\\Vantrel\\settings", 0, KEY_READ, &vendor),
            ERROR_SUCCESS);
  if (vendor) ::RegCloseKey(vendor);
}

TEST_F(VantrelRun, StoredSettingsSurviveARunUnchanged) {
  const struct {
    const char* name;
    DWORD value;
  } stored[] = {{"AutoHide", 0},         {"Percent", 7},     {"nTooltip", 4},    {"MemoryPos", 3},    {"DrivePos", 2},
                {"labelText", 0x123456}, {"listText", 0xFF}, {"CloseNotify", 1}, {"DisableNotify", 1}};
  for (const auto& s : stored) PutDword("Settings", s.name, s.value);

  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  End(dlg);

  for (const auto& s : stored) {
    const StoredValue v = Stored("Settings", s.name);
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_DWORD)) << s.name;
    EXPECT_EQ(v.dword, s.value) << s.name;
  }
}

// Where the gauges lie is checked against the template in
// vantrel_dlg_wine_test, which can map dialog units; here, that the real
// program shows them and draws them.
TEST_F(VantrelRun, ShowsFourGaugesAndDrawsThemInALevelColourWithTheirBevel) {
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  for (int id : {IDC_GAUGE_FREE_MEMORY, IDC_GAUGE_MEMORY_LOAD, IDC_GAUGE_DRIVE_USED, IDC_GAUGE_DRIVE_FREE}) {
    HWND gauge = ::GetDlgItem(dlg, id);
    ASSERT_NE(gauge, nullptr) << id;
    EXPECT_TRUE(::IsWindowVisible(gauge)) << id;
  }
  // The free-memory gauge is filled in one of its level colours, drawn with a
  // 1-pixel border after the initialisation calls.
  HWND freeMem = ::GetDlgItem(dlg, IDC_GAUGE_FREE_MEMORY);
  ::RedrawWindow(freeMem, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  COLORREF fill = CLR_INVALID, bevel = CLR_INVALID;
  auto levelColour = [](COLORREF c) {
    return c == RGB(200, 0, 0) || c == RGB(225, 225, 50) || c == RGB(50, 255, 50) || c == RGB(0, 150, 0);
  };
  EXPECT_TRUE(WaitFor([&] {
    const ScreenPixels shown = ScreenPixels::Of(freeMem);
    RECT rc{};
    ::GetClientRect(freeMem, &rc);
    fill = shown.At(2, rc.bottom / 2);
    bevel = shown.At(1, rc.bottom / 2);
    return levelColour(fill) && bevel == RGB(100, 100, 100);
  })) << std::hex
      << fill << " " << bevel;
  End(dlg);
}

// What a screen reader finds in each gauge from outside the program: the
// percentage beside it (free memory's as a share of the physical memory), and
// the row's label as its name. Texts and gauges change together at a refresh:
// the two readings are taken again until they agree.
std::wstring ReaderText(IAccessible* acc, bool value) {
  VARIANT self;
  ::VariantInit(&self);
  V_VT(&self) = VT_I4;
  V_I4(&self) = CHILDID_SELF;
  BSTR text = nullptr;
  const HRESULT hr = value ? acc->get_accValue(self, &text) : acc->get_accName(self, &text);
  std::wstring s = hr == S_OK && text ? std::wstring(text, ::SysStringLen(text)) : L"<none>";
  ::SysFreeString(text);
  return s;
}

TEST_F(VantrelRun, ReadersFindInEachGaugeThePercentageBesideItAndItsLabel) {
  ASSERT_EQ(::CoInitialize(nullptr), S_OK);
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(ChooseDrive(dlg, 'C'));
  ASSERT_TRUE(WaitFor([&] { return !ItemText(dlg, IDC_USED_PERCENT).empty(); }));
  auto percent = [](int part, int whole) { return std::to_wstring(whole > 0 ? part * 100 / whole : 0) + L"%"; };
  auto text = [&](int id) {
    const std::string t = ItemText(dlg, id);
    return std::wstring(t.begin(), t.end());
  };
  const struct {
    int gauge;
    const wchar_t* label;
    std::function<std::wstring()> shown;
  } gauges[] = {
      {IDC_GAUGE_FREE_MEMORY, L"Free Memory :",
       [&] {
         return percent(LeadingNumber(ItemText(dlg, IDC_FREE_MEMORY)),
                        LeadingNumber(ItemText(dlg, IDC_PHYSICAL_MEMORY)));
       }},
      {IDC_GAUGE_MEMORY_LOAD, L"Memory Utilization :", [&] { return text(IDC_MEMORY_LOAD); }},
      {IDC_GAUGE_DRIVE_USED, L"Used Space :", [&] { return text(IDC_USED_PERCENT); }},
      {IDC_GAUGE_DRIVE_FREE, L"Free Space :", [&] { return text(IDC_FREE_PERCENT); }},
  };
  for (const auto& g : gauges) {
    SCOPED_TRACE(g.gauge);
    fw::com::Ptr<IAccessible> acc;
    ASSERT_EQ(
        ::AccessibleObjectFromWindow(::GetDlgItem(dlg, g.gauge), OBJID_CLIENT, __uuidof(IAccessible), acc.put_void()),
        S_OK);
    std::wstring value, shown;
    EXPECT_TRUE(WaitFor([&] {
      value = ReaderText(acc.get(), true);
      shown = g.shown();
      return value == shown && value.size() > 1;
    })) << std::string(value.begin(), value.end())
        << " beside " << std::string(shown.begin(), shown.end());
    EXPECT_EQ(ReaderText(acc.get(), false), g.label);
  }
  End(dlg);
  ::CoUninitialize();
}

// Escape, pressed in whatever control of a secondary window has the focus,
// closes the window: each information window, the pie, the options, the
// About box, and the notice of closing to the tray.
TEST_F(VantrelRun, EscapeClosesEverySecondaryWindow) {
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(ChooseDrive(dlg, 'C'));  // the Pie button needs a drive
  const DWORD pid = app.Pid();
  const struct {
    UINT msg;
    WPARAM wp;
    const char* title;  // empty: the untitled pie
  } windows[] = {
      {WM_COMMAND, IDC_PROCESSOR_INFO, "Advanced Processor Information"},
      {WM_COMMAND, IDC_EXTENDED_INFO, "Extended Information"},
      {WM_COMMAND, IDC_DIRECTORY_VIEW, "Directory Info View"},
      {WM_COMMAND, IDC_PIE, ""},
      {WM_COMMAND, IDC_OPTIONS, "Options"},
      {WM_SYSCOMMAND, IDM_ABOUTBOX, "About Vantrel"},
      {WM_CLOSE, 0, "Close Notification"},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(w.title);
    ::PostMessageA(dlg, w.msg, w.wp, 0);
    HWND shown = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      shown = fw::FindTopWindow([&](HWND h) {
        return fw::ProcessOf(h) == pid && h != dlg && ::IsWindowVisible(h) && fw::WindowText(h) == w.title &&
               fw::ClassOf(h) == "#32770";
      });
      return shown != nullptr;
    }));
    // The key goes where the window's thread has its focus, once that is
    // inside the window: before, Escape would reach the main window.
    HWND focus = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      ::GetGUIThreadInfo(::GetWindowThreadProcessId(shown, nullptr), &info);
      focus = info.hwndFocus;
      return focus && (focus == shown || ::IsChild(shown, focus));
    }));
    ::PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(shown); }));
    ASSERT_FALSE(app.HasExited());  // the key closed that window only
  }
  End(dlg);
}

TEST_F(VantrelRun, WithoutTheGaugeModuleTheProgramEndsAtOnceAndStillSavesSettings) {
  // The module neither beside the program nor registered.
  const std::string alone = CopyToFolder("vantrel-alone", {"Vantrel.exe"});
  ASSERT_FALSE(alone.empty());
  ASSERT_TRUE(RegisterGauge(true));
  PutDword("Settings", "Percent", 33);
  ASSERT_TRUE(app.Start("/Embedding", alone + "\\Vantrel.exe"));
  const long code = app.WaitForExit(15000);
  ASSERT_TRUE(RegisterGauge());
  EXPECT_EQ(code, 0);
  // The destruction handler ran although initialisation never did.
  EXPECT_EQ(Stored("Settings", "Percent").dword, 33u);
  EXPECT_EQ(Stored("Settings", "MemoryPos").dword, 10u);
  EXPECT_FALSE(Stored("Settings", "driveCount").present) << "no watch list was built";
}

// With both periods 0 every tick refreshes memory and runs the drive cycle,
// over every fixed drive watched and the chosen C:. Fifty ticks, each handled
// before the next, leave the program no more windows than it had and handles
// and GDI objects that did not grow with the ticks (each count the least of
// five, taken between ticks, so that the program's own timer caught in the
// middle of a tick does not count).
TEST_F(VantrelRun, RefreshTicksLeaveTheProgramsObjectCountsAsTheyWere) {
  PutDword("Settings", "MemoryPos", 0);
  PutDword("Settings", "DrivePos", 0);
  PutDword("Settings", "Percent", 0);  // no notice box stops a cycle
  const std::vector<char> fixed = FixedDrives();
  PutDword("Settings", "driveCount", static_cast<DWORD>(fixed.size()));
  for (size_t i = 0; i < fixed.size(); ++i) {
    const std::string section = std::to_string(i);
    PutString(section, "path", std::string(1, fixed[i]) + ":\\");
    PutDword(section, "watch", 1);
    PutDword(section, "drive", static_cast<DWORD>(fixed[i] - 'A' + 1));
  }
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(ChooseDrive(dlg, 'C'));
  fw::UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.Pid()));
  ASSERT_TRUE(process);
  auto tick = [&] {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(dlg, WM_TIMER, 1, 0, SMTO_NORMAL, 10000, &result) != 0;
  };
  struct Counts {
    long handles = LONG_MAX, gdi = LONG_MAX, windows = LONG_MAX;
  };
  auto counts = [&] {
    Counts c;
    for (int i = 0; i < 5; ++i) {
      EXPECT_TRUE(tick());
      c.handles = std::min(c.handles, counters::HandleCount(app.Pid()));
      c.gdi = std::min(c.gdi, counters::GdiObjectCount(process.get()));
      c.windows = std::min(c.windows, counters::WindowCount(app.Pid()));
    }
    return c;
  };
  const Counts before = counts();
  ASSERT_GT(before.handles, 0);
  ASSERT_GT(before.gdi, 0);
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(tick()) << i;
  const Counts after = counts();
  // A leak grows with the ticks: the soak run's was two GDI objects a cycle.
  // One more GDI object, once, was seen only with other tests running beside
  // this one, never alone: no leak, and allowed.
  constexpr long kOnce = 2;
  EXPECT_LE(after.handles, before.handles + kOnce);
  EXPECT_LE(after.gdi, before.gdi + kOnce);
  EXPECT_LE(after.windows, before.windows);
  End(dlg);
}

}  // namespace
}  // namespace vantrel::e2e
