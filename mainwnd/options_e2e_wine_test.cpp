// The options sheet of a real Vantrel.exe under Wine, driven from outside the
// process as a user would: its tabs, what OK saves and applies to the
// countdown bars, the refresh page's sliders, the interface page's choices and
// colours, and Cancel.
#include <windows.h>
#include <colordlg.h>
#include <commctrl.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "fw/handle.h"
#include "mainwnd/e2e_fixture.h"
#include "res/resource.h"
#include "version.h"

namespace vantrel::e2e {
namespace {

struct Stored32 {
  const char* name;
  DWORD value;
};

// Every value the sheet's OK writes, in a record none of whose values is a default.
const Stored32 kRecord[] = {{"AutoHide", 0},        {"Percent", 7},     {"nTooltip", 4},
                            {"MemoryPos", 60},      {"DrivePos", 10},   {"labelText", 0x123456},
                            {"listText", 0x0000FF}, {"CloseNotify", 1}, {"DisableNotify", 0}};

int BarPos(HWND main, int id) { return static_cast<int>(::SendMessageA(::GetDlgItem(main, id), PBM_GETPOS, 0, 0)); }
int BarMax(HWND main, int id) {
  return static_cast<int>(::SendMessageA(::GetDlgItem(main, id), PBM_GETRANGE, FALSE, 0));
}
bool Checked(HWND page, int id) { return ::SendMessageA(::GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Click(HWND dlg, int id) { ::PostMessageA(::GetDlgItem(dlg, id), BM_CLICK, 0, 0); }

// The tab titles, read through a buffer in the program's memory: the tab
// control's messages carry pointers, which do not cross processes.
std::vector<std::string> TabTitles(HWND sheet, DWORD pid) {
  std::vector<std::string> titles;
  HWND tabs = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  fw::UniqueKernelHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  if (!tabs || !process) return titles;
  struct Remote {
    TCITEMA item;
    char text[128];
  };
  auto* remote = static_cast<Remote*>(
      ::VirtualAllocEx(process.get(), nullptr, sizeof(Remote), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (!remote) return titles;
  const int count = static_cast<int>(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    Remote local{};
    local.item.mask = TCIF_TEXT;
    local.item.pszText = remote->text;
    local.item.cchTextMax = sizeof local.text;
    ::WriteProcessMemory(process.get(), remote, &local, sizeof local, nullptr);
    ::SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
    ::ReadProcessMemory(process.get(), remote, &local, sizeof local, nullptr);
    titles.emplace_back(local.text);
  }
  ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  return titles;
}

// Tells whether the window, as the screen shows it, has pixels that lean
// clearly to the one channel `colour` is made of: its text's, whatever the
// smoothing of the glyphs' edges.
bool ShowsColour(HWND wnd, COLORREF colour) {
  const int want = GetRValue(colour) ? 0 : GetGValue(colour) ? 1 : 2;
  auto channel = [](COLORREF c, int i) { return static_cast<int>((c >> (8 * i)) & 0xFF); };
  const ScreenPixels shown = ScreenPixels::Of(wnd);
  return std::any_of(shown.All().begin(), shown.All().end(), [&](COLORREF c) {
    return channel(c, want) > channel(c, (want + 1) % 3) + 80 && channel(c, want) > channel(c, (want + 2) % 3) + 80;
  });
}

class OptionsSheet : public ProgramTest {
 protected:
  void Store(const std::vector<Stored32>& values) {
    for (const auto& v : values) PutDword("Settings", v.name, v.value);
  }
  // Button 1044, as a click.
  HWND OpenSheet() {
    Click(main, IDC_OPTIONS);
    sheet = app.WaitForWindow("Options");
    EXPECT_NE(sheet, nullptr);
    return sheet;
  }
  // The page of tab `index`, which the sheet creates when it is first shown.
  HWND ShowPage(int index) {
    ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  // Ends the sheet with its OK or Cancel button and waits until it is gone;
  // after OK also until the program has written the record, which it does
  // only once the sheet's window is gone. The record it writes is the one in
  // its memory, so the stored one can go first and be waited for.
  void EndSheet(int button) {
    if (button == IDOK) ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    Click(sheet, button);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(sheet); }));
    if (button != IDOK) return;
    EXPECT_TRUE(WaitFor([] {
      return std::all_of(std::begin(kRecord), std::end(kRecord),
                         [](const Stored32& v) { return Stored("Settings", v.name).present; });
    })) << "OK saved no record";
  }
  // Runs `step` on the colour chooser that button 1056 opens, then waits
  // until the chooser is gone.
  template <class Step>
  void WithChooser(HWND page, Step&& step) {
    Click(page, IDC_TEXT_COLOR);
    HWND chooser = app.WaitForWindow("Color");
    ASSERT_NE(chooser, nullptr);
    step(chooser);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(chooser); }));
  }
  // Both bars step on the same tick: waits until both have run a while.
  void WaitForBarsAt(int pos) {
    ASSERT_TRUE(
        WaitFor([&] { return BarPos(main, IDC_MEMORY_COUNTDOWN) >= pos && BarPos(main, IDC_DRIVE_COUNTDOWN) >= pos; }));
  }

  HWND sheet = nullptr;
};

TEST_F(OptionsSheet, OpensWithThreeTabsAndOkAtOnceSavesTheRecordUnchangedAndLeavesBothCountersRunning) {
  Store({std::begin(kRecord), std::end(kRecord)});
  ASSERT_NE(Start(), nullptr);
  WaitForBarsAt(3);
  // Read at start-up: what OK writes can only come from the record in memory.
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);

  ASSERT_NE(OpenSheet(), nullptr);
  EXPECT_EQ(TabTitles(sheet, app.Pid()), (std::vector<std::string>{"Main Options", "Refresh", "Interface"}));
  const int before = BarPos(main, IDC_DRIVE_COUNTDOWN);
  EndSheet(IDOK);

  for (const auto& v : kRecord) {
    const StoredValue stored = Stored("Settings", v.name);
    EXPECT_TRUE(stored.present) << v.name;
    EXPECT_EQ(stored.dword, v.value) << v.name;
  }
  EXPECT_FALSE(Stored("Settings", "driveCount").present) << "the watch list is saved only at exit";
  EXPECT_EQ(BarMax(main, IDC_MEMORY_COUNTDOWN), 60);
  EXPECT_EQ(BarMax(main, IDC_DRIVE_COUNTDOWN), 600);
  EXPECT_GE(BarPos(main, IDC_DRIVE_COUNTDOWN), before) << "the drive counter restarted";
  EXPECT_NEAR(BarPos(main, IDC_MEMORY_COUNTDOWN), BarPos(main, IDC_DRIVE_COUNTDOWN), 1)
      << "the memory counter restarted";
  End(main);
}

TEST_F(OptionsSheet, ADrivePeriodChangedWithPageDownRestartsOnlyTheDriveCounter) {
  Store({{"MemoryPos", 60}, {"DrivePos", 10}});
  ASSERT_NE(Start(), nullptr);
  WaitForBarsAt(3);
  ASSERT_NE(OpenSheet(), nullptr);
  HWND page = ShowPage(1);
  ASSERT_NE(page, nullptr);
  HWND slider = ::GetDlgItem(page, IDC_DRIVE_PERIOD_SLIDER);
  ::PostMessageA(slider, WM_KEYDOWN, VK_NEXT, 0);
  ::PostMessageA(slider, WM_KEYUP, VK_NEXT, 0);
  EXPECT_TRUE(WaitFor([&] { return ItemText(page, IDC_DRIVE_PERIOD_TEXT) == "15 minute(s)"; }))
      << ItemText(page, IDC_DRIVE_PERIOD_TEXT);
  EXPECT_EQ(ItemText(page, IDC_MEMORY_PERIOD_TEXT), "60 seconds");
  EXPECT_EQ(ItemText(page, IDC_THRESHOLD_TEXT), "< 15%");
  EndSheet(IDOK);

  EXPECT_EQ(Stored("Settings", "DrivePos").dword, 15u);
  EXPECT_EQ(Stored("Settings", "MemoryPos").dword, 60u);
  // The periods are applied after the record is written.
  EXPECT_TRUE(WaitFor([&] { return BarMax(main, IDC_DRIVE_COUNTDOWN) == 900; }));
  EXPECT_EQ(BarMax(main, IDC_MEMORY_COUNTDOWN), 60);
  // The bars stepped together until OK; now the drive bar runs behind by the
  // ticks it lost (a tick may fall between the two readings).
  EXPECT_GE(BarPos(main, IDC_MEMORY_COUNTDOWN) - BarPos(main, IDC_DRIVE_COUNTDOWN), 2);
  End(main);
}

TEST_F(OptionsSheet, AMemoryPeriodBelowTheSliderShowsAsStoredAndOkStoresWhatTheSliderHolds) {
  Store({{"MemoryPos", 2}});
  ASSERT_NE(Start(), nullptr);
  ASSERT_NE(OpenSheet(), nullptr);
  HWND page = ShowPage(1);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(ItemText(page, IDC_MEMORY_PERIOD_TEXT), "2 seconds");
  EXPECT_EQ(ItemText(page, IDC_DRIVE_PERIOD_TEXT), "10 minute(s)");
  EXPECT_EQ(ItemText(page, IDC_THRESHOLD_TEXT), "< 15%");
  const struct {
    int id, min, max, pos, pageSize;  // pageSize 0: the control's own
    int firstTick, ticks;             // tick marks every 5
  } sliders[] = {{IDC_THRESHOLD_SLIDER, 1, 100, 15, 0, 5, 19},
                 {IDC_MEMORY_PERIOD_SLIDER, 5, 60, 5, 5, 5, 12},
                 {IDC_DRIVE_PERIOD_SLIDER, 1, 60, 10, 5, 5, 12}};
  for (const auto& s : sliders) {
    HWND slider = ::GetDlgItem(page, s.id);
    EXPECT_EQ(::SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), s.min) << s.id;
    EXPECT_EQ(::SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), s.max) << s.id;
    EXPECT_EQ(::SendMessageA(slider, TBM_GETPOS, 0, 0), s.pos) << s.id;
    if (s.pageSize) {
      EXPECT_EQ(::SendMessageA(slider, TBM_GETPAGESIZE, 0, 0), s.pageSize) << s.id;
    }
    for (int i = 0; i < s.ticks; ++i) EXPECT_EQ(::SendMessageA(slider, TBM_GETTIC, i, 0), s.firstTick + 5 * i) << s.id;
    EXPECT_EQ(::SendMessageA(slider, TBM_GETTIC, s.ticks, 0), -1) << s.id;
  }
  EndSheet(IDOK);
  EXPECT_EQ(Stored("Settings", "MemoryPos").dword, 5u);
  EXPECT_TRUE(WaitFor([&] { return BarMax(main, IDC_MEMORY_COUNTDOWN) == 5; }));
  End(main);
}

TEST_F(OptionsSheet, ATooltipChoiceOutsideTheButtonsChecksNoneAndIsStoredAsMinusOneOnlyOnceThePageWasShown) {
  Store({{"nTooltip", 7}});
  ASSERT_NE(Start(), nullptr);
  ASSERT_NE(OpenSheet(), nullptr);
  EndSheet(IDOK);
  EXPECT_EQ(Stored("Settings", "nTooltip").dword, 7u) << "a page never shown writes nothing";

  ASSERT_NE(OpenSheet(), nullptr);
  // The main page's one box is stored with the rest.
  HWND page = ShowPage(0);
  Click(page, IDC_HIDE_ON_STARTUP);
  ASSERT_TRUE(WaitFor([&] { return Checked(page, IDC_HIDE_ON_STARTUP); }));
  page = ShowPage(2);
  ASSERT_NE(page, nullptr);
  for (int id = IDC_TIP_FREE_MEMORY; id <= IDC_TIP_VERSION; ++id) EXPECT_FALSE(Checked(page, id)) << id;
  EXPECT_EQ(ItemText(page, IDC_TIP_VERSION), std::string("\"") + VT_PROGRAM_VERSION_TEXT + "\"");
  EXPECT_TRUE(Checked(page, IDC_COLOR_LABELS));
  EXPECT_FALSE(Checked(page, IDC_COLOR_LISTS));
  EXPECT_EQ(::SendMessageA(::GetDlgItem(page, IDC_SAMPLE_LIST), LB_GETCOUNT, 0, 0), 5);
  EndSheet(IDOK);
  EXPECT_EQ(Stored("Settings", "nTooltip").dword, 0xFFFFFFFFu);
  EXPECT_EQ(Stored("Settings", "AutoHide").dword, 1u);
  End(main);
}

TEST_F(OptionsSheet, CancelKeepsEveryChangeOfEveryPageOutOfTheRecord) {
  Store({std::begin(kRecord), std::end(kRecord)});
  ASSERT_NE(Start(), nullptr);
  WaitForBarsAt(2);
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);

  ASSERT_NE(OpenSheet(), nullptr);
  HWND page = ShowPage(0);
  Click(page, IDC_HIDE_ON_STARTUP);
  ASSERT_TRUE(WaitFor([&] { return Checked(page, IDC_HIDE_ON_STARTUP); }));
  page = ShowPage(1);
  for (int id : {IDC_THRESHOLD_SLIDER, IDC_MEMORY_PERIOD_SLIDER, IDC_DRIVE_PERIOD_SLIDER})
    ::PostMessageA(::GetDlgItem(page, id), WM_KEYDOWN, VK_PRIOR, 0);
  ASSERT_TRUE(WaitFor([&] { return ItemText(page, IDC_DRIVE_PERIOD_TEXT) == "5 minute(s)"; }));
  page = ShowPage(2);
  Click(page, IDC_TIP_FREE_MEMORY);
  WithChooser(page, [](HWND chooser) {
    ::SetDlgItemInt(chooser, COLOR_GREEN, 200, FALSE);
    Click(chooser, IDOK);
  });
  const int before = BarPos(main, IDC_DRIVE_COUNTDOWN);
  EndSheet(IDCANCEL);

  EXPECT_FALSE(Stored("Settings", "Percent").present) << "Cancel saved the record";
  EXPECT_EQ(BarMax(main, IDC_DRIVE_COUNTDOWN), 600);
  EXPECT_GE(BarPos(main, IDC_DRIVE_COUNTDOWN), before);
  // The record the program writes at exit is the one it started with.
  End(main);
  for (const auto& v : kRecord) EXPECT_EQ(Stored("Settings", v.name).dword, v.value) << v.name;
}

// The files of the modules process `pid` has loaded from folder `dir`.
std::set<std::string> ModulesIn(DWORD pid, const std::string& dir) {
  std::set<std::string> found;
  fw::UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  HMODULE modules[512] = {};
  DWORD bytes = 0;
  if (!process || !::EnumProcessModules(process.get(), modules, sizeof modules, &bytes)) return {"(unreadable)"};
  for (DWORD i = 0; i < bytes / sizeof modules[0] && i < std::size(modules); ++i) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameExA(process.get(), modules[i], path, MAX_PATH);
    const std::string file = path;
    if (::lstrcmpiA(file.substr(0, file.find_last_of('\\')).c_str(), dir.c_str()) == 0)
      found.insert(file.substr(dir.size() + 1));
  }
  return found;
}

// A module named as the chooser's, dropped beside a copy of the program, is
// never loaded: while the chooser is open, the program has loaded from its
// own folder nothing but itself and its gauges.
TEST_F(OptionsSheet, TheColourChooserComesFromTheSystemNotFromAModuleBesideTheProgram) {
  const std::string dir = CopyToFolder("vantrel-decoy", {"Vantrel.exe", "Zelbo.ocx", "decoy\\comdlg32.dll"});
  ASSERT_FALSE(dir.empty());
  ASSERT_TRUE(app.Start("/Embedding", dir + "\\Vantrel.exe"));
  ASSERT_NE(main = app.WaitForWindow(kMainTitle), nullptr);
  ASSERT_NE(OpenSheet(), nullptr);
  WithChooser(ShowPage(2), [&](HWND chooser) {
    EXPECT_EQ(ModulesIn(app.Pid(), dir), (std::set<std::string>{"Vantrel.exe", "Zelbo.ocx"}));
    Click(chooser, IDCANCEL);
  });
  EndSheet(IDCANCEL);
  End(main);
}

TEST_F(OptionsSheet, ChosenColoursShowInTheSamplesAtOnceAndInTheMainWindowAfterOk) {
  const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0), green = RGB(0, 160, 0);
  Store({{"labelText", blue}, {"listText", blue}});
  ASSERT_NE(Start(), nullptr);
  HWND userLabel = ::FindWindowExA(main, nullptr, "Static", "User :");
  ASSERT_NE(userLabel, nullptr);
  ASSERT_NE(OpenSheet(), nullptr);
  // Clear of the main window, so that only the sheet's OK can make it repaint.
  RECT mainRect{};
  ::GetWindowRect(main, &mainRect);
  ::SetWindowPos(sheet, nullptr, mainRect.right + 10, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  HWND page = ShowPage(2);
  ASSERT_NE(page, nullptr);
  HWND sample = ::GetDlgItem(page, IDC_SAMPLE_LABEL), sampleList = ::GetDlgItem(page, IDC_SAMPLE_LIST);
  EXPECT_TRUE(WaitFor([&] { return ShowsColour(sample, blue) && ShowsColour(sampleList, blue); }));

  auto choose = [](COLORREF colour) {
    return [colour](HWND chooser) {
      ::SetDlgItemInt(chooser, COLOR_RED, GetRValue(colour), FALSE);
      ::SetDlgItemInt(chooser, COLOR_GREEN, GetGValue(colour), FALSE);
      ::SetDlgItemInt(chooser, COLOR_BLUE, GetBValue(colour), FALSE);
      Click(chooser, IDOK);
    };
  };
  // Labels first: red shows in the sample label only.
  WithChooser(page, choose(red));
  // Where the chooser lay, the samples show again only once repainted.
  EXPECT_TRUE(WaitFor([&] { return ShowsColour(sample, red) && ShowsColour(sampleList, blue); }));
  // The chooser opens on the stored colour, not on the red just chosen, and
  // cancelling it puts the sample back to the stored colour.
  unsigned shown[3] = {};
  WithChooser(page, [&](HWND chooser) {
    shown[0] = ::GetDlgItemInt(chooser, COLOR_RED, nullptr, FALSE);
    shown[1] = ::GetDlgItemInt(chooser, COLOR_GREEN, nullptr, FALSE);
    shown[2] = ::GetDlgItemInt(chooser, COLOR_BLUE, nullptr, FALSE);
    Click(chooser, IDCANCEL);
  });
  EXPECT_EQ(RGB(shown[0], shown[1], shown[2]), blue);
  EXPECT_TRUE(WaitFor([&] { return !ShowsColour(sample, red) && ShowsColour(sample, blue); }));
  WithChooser(page, choose(red));
  // Then lists, after button "2.".
  Click(page, IDC_COLOR_LISTS);
  ASSERT_TRUE(WaitFor([&] { return Checked(page, IDC_COLOR_LISTS); }));
  WithChooser(page, choose(green));
  EXPECT_TRUE(WaitFor([&] { return ShowsColour(sampleList, green) && ShowsColour(sample, red); }));
  EXPECT_TRUE(WaitFor([&] { return ShowsColour(userLabel, blue); })) << "the main window changes only after OK";
  EndSheet(IDOK);

  EXPECT_EQ(Stored("Settings", "labelText").dword, red);
  EXPECT_EQ(Stored("Settings", "listText").dword, green);
  EXPECT_TRUE(WaitFor([&] { return ShowsColour(userLabel, red) && !ShowsColour(userLabel, blue); }));
  End(main);
}

}  // namespace
}  // namespace vantrel::e2e
