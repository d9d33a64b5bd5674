// The drive panel, the watch list and the refresh cycle of a real Vantrel.exe,
// driven from outside. The test prefix has C: and Z: (fixed, as Wine sets
// them up) plus D: fixed, E: CD-ROM without medium, F: removable and G:
// network (scripts/test-drives.sh).
#include <windows.h>
#include <commctrl.h>
#include <direct.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "fw/top_window.h"
#include "mainwnd/drive_panel.h"
#include "mainwnd/e2e_fixture.h"
#include "mainwnd/refresh_cycle.h"
#include "res/resource.h"

namespace vantrel::e2e {
namespace {

constexpr int kType = IDC_DRIVE_TYPE, kCapacity = IDC_DRIVE_CAPACITY, kUsed = IDC_DRIVE_USED, kFree = IDC_DRIVE_FREE,
              kUsedPct = IDC_USED_PERCENT, kFreePct = IDC_FREE_PERCENT, kWatch = IDC_WATCH, kPie = IDC_PIE,
              kMemoryBar = IDC_MEMORY_COUNTDOWN, kDriveBar = IDC_DRIVE_COUNTDOWN;
constexpr char kNoticeTitle[] = "Low drive space notification";

struct DriveNow {
  unsigned type = 0;
  bool ok = false;
  ULONGLONG total = 0, free = 0;
};

DriveNow QueryDrive(char letter) {
  const char root[] = {letter, ':', '\\', '\0'};
  DriveNow d;
  d.type = ::GetDriveTypeA(root);
  ULARGE_INTEGER t{}, f{};
  d.ok = ::GetDiskFreeSpaceExA(root, nullptr, &t, &f) != FALSE;
  d.total = t.QuadPart;
  d.free = f.QuadPart;
  return d;
}

long long Number(const std::string& text) { return std::atoll(text.c_str()); }

class DrivePanelRun : public ProgramTest {
 protected:
  // Stores a watch list naming the fixed drives present, D: watched.
  void StoreWatchList(bool notify) {
    const std::vector<char> fixed = FixedDrives();
    PutDword("Settings", "driveCount", static_cast<DWORD>(fixed.size()));
    for (size_t i = 0; i < fixed.size(); ++i) {
      const std::string section = std::to_string(i);
      PutString(section, "path", std::string(1, fixed[i]) + ":\\");
      PutDword(section, "watch", fixed[i] == 'D' ? 1 : 0);
      PutDword(section, "drive", static_cast<DWORD>(fixed[i] - 'A' + 1));
      PutDword(section, "notify", notify ? 1 : 0);
    }
  }
};

TEST_F(DrivePanelRun, ChoosingAFixedDriveFillsThePanelFromThePlatform) {
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  HWND refresh = ::GetDlgItem(dlg, IDC_DRIVE_REFRESH);
  EXPECT_EQ(::SendMessageA(refresh, BM_GETIMAGE, IMAGE_ICON, 0), 0) << "no image before a drive is chosen";
  ASSERT_TRUE(ChooseDrive(dlg, 'D'));
  EXPECT_NE(::SendMessageA(refresh, BM_GETIMAGE, IMAGE_ICON, 0), 0);

  const DriveNow d = QueryDrive('D');
  ASSERT_TRUE(d.ok);
  const DrivePanelView expected = DescribeDriveQuery(d.type, d.total, d.free);
  EXPECT_EQ(ItemText(dlg, kType), "Hard Drive");
  EXPECT_EQ(ItemText(dlg, kCapacity), expected.texts.capacity);
  // Free space moves while other programs write: allow a little drift.
  EXPECT_NEAR(Number(ItemText(dlg, kFree)), static_cast<long long>(expected.figures.freeU), 64);
  EXPECT_NEAR(Number(ItemText(dlg, kUsed)), static_cast<long long>(expected.figures.usedU), 64);
  EXPECT_NEAR(Number(ItemText(dlg, kUsedPct)), expected.figures.usedPct, 1);
  EXPECT_EQ(Number(ItemText(dlg, kUsedPct)) + Number(ItemText(dlg, kFreePct)), 100);
  EXPECT_EQ(ItemText(dlg, kFree).substr(ItemText(dlg, kFree).size() - 3), " MB");
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg, kPie)));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg, kWatch)));
  End(dlg);
}

TEST_F(DrivePanelRun, OtherDriveKindsFollowTheTypeTables) {
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  const struct {
    char letter;
    const char* type;
    bool figures;
  } cases[] = {
      {'E', "CD-ROM", false},  // no medium: the failure table
      {'F', "Removable Drive", true},
      {'G', "Network Drive", true},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(ChooseDrive(dlg, c.letter)) << c.letter;
    EXPECT_EQ(ItemText(dlg, kType), c.type) << c.letter;
    EXPECT_EQ(!ItemText(dlg, kCapacity).empty(), c.figures) << c.letter;
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, kWatch))) << c.letter;
  }
  // A drive without medium leaves the Pie button as the last good query set it.
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg, kPie)));
  End(dlg);
}

TEST_F(DrivePanelRun, PeriodsOfZeroRefreshOnEveryTick) {
  PutDword("Settings", "MemoryPos", 0);
  PutDword("Settings", "DrivePos", 0);
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(ChooseDrive(dlg, 'D'));
  EXPECT_EQ(::SendMessageA(::GetDlgItem(dlg, kMemoryBar), PBM_GETRANGE, FALSE, 0), 0);
  EXPECT_EQ(::SendMessageA(::GetDlgItem(dlg, kDriveBar), PBM_GETRANGE, FALSE, 0), 0);

  // The drive cycle runs every second: 256 MB written to D: shows within a
  // few ticks without any user action.
  const long long before = Number(ItemText(dlg, kFree));
  const std::string big = "D:\\vantrel-e2e-fill.bin";
  {
    HANDLE file = ::CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    fw::UniqueKernelHandle owner(file);
    std::vector<char> chunk(1 << 20, 'x');
    for (int i = 0; i < 256; ++i) {
      DWORD written = 0;
      ASSERT_TRUE(::WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr));
    }
    ::FlushFileBuffers(file);
  }
  const bool dropped = WaitFor([&] { return Number(ItemText(dlg, kFree)) <= before - 200; });
  ::DeleteFileA(big.c_str());
  EXPECT_TRUE(dropped) << "free space stayed at " << ItemText(dlg, kFree) << " (was " << before << ")";
  End(dlg);
}

TEST_F(DrivePanelRun, CountdownBarsStepOncePerSecond) {
  PutDword("Settings", "MemoryPos", 3);
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  HWND bar = ::GetDlgItem(dlg, kMemoryBar);
  EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 3);
  EXPECT_EQ(::SendMessageA(::GetDlgItem(dlg, kDriveBar), PBM_GETRANGE, FALSE, 0), 600);
  // The bar climbs to the period and starts again from 0 after the refresh;
  // a busy machine may hide a step from one look, so the wait spans cycles.
  int last = -1;
  bool full = false, restarted = false;
  WaitFor([&] {
    const int pos = static_cast<int>(::SendMessageA(bar, PBM_GETPOS, 0, 0));
    if (pos == 3) full = true;
    if (full && pos == 0 && last == 3) restarted = true;
    if (pos != last) last = pos;
    return restarted;
  });
  EXPECT_TRUE(full);
  EXPECT_TRUE(restarted);
  End(dlg);
}

// Disabled, the options sheet's OK stores and applies the settings but runs
// no drive check: the Disable notice promised no low-space notice.
TEST_F(DrivePanelRun, WhileDisabledOptionsOkRaisesNoLowSpaceNotice) {
  PutDword("Settings", "Percent", 100);
  PutDword("Settings", "nTooltip", 3);
  PutDword("Settings", "DisableNotify", 1);
  StoreWatchList(true);
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  ::PostMessageA(dlg, WM_COMMAND, ID_TRAY_TOGGLE_ENABLE, 0);
  ASSERT_TRUE(WaitFor([&] { return fw::WindowText(dlg) == "Computer Information - DISABLED"; }));
  ::PostMessageA(dlg, WM_COMMAND, ID_TRAY_OPTIONS, 0);
  HWND sheet = app.WaitForWindow("Options");
  ASSERT_NE(sheet, nullptr);
  ::PostMessageA(::GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(sheet); }));
  EXPECT_EQ(app.WaitForWindow(kNoticeTitle, 3000), nullptr);
  End(dlg);
  EXPECT_EQ(Stored("1", "notify").dword, 1u);
}

TEST_F(DrivePanelRun, LowSpaceNoticeIsGivenOncePerWatchedDriveAndRemembered) {
  PutDword("Settings", "Percent", 100);
  PutDword("Settings", "DrivePos", 0);
  StoreWatchList(true);
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);

  HWND box = app.WaitForWindow(kNoticeTitle);
  ASSERT_NE(box, nullptr) << "no low-space notice";
  _diskfree_t df{};
  ASSERT_EQ(_getdiskfree(4, &df), 0u);
  const auto figures =
      ComputeLowSpaceFigures({df.bytes_per_sector, df.sectors_per_cluster, df.total_clusters, df.avail_clusters});
  ASSERT_TRUE(figures.has_value());
  const std::string text = ItemText(box, 0xFFFF);
  EXPECT_EQ(text.substr(0, text.find("below ") + 6),
            "D drive is low on disk space.\nThe free space has dropped below ");
  EXPECT_NEAR(Number(text.substr(text.find("below ") + 6)), figures->freePct, 1);
  EXPECT_EQ(text.substr(text.size() - 3), "%.\n");
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));

  // Further drive cycles, every second, stay silent.
  EXPECT_EQ(app.WaitForWindow(kNoticeTitle, 3000), nullptr);
  End(dlg);
  EXPECT_EQ(Stored("1", "notify").dword, 0u);
  EXPECT_EQ(Stored("1", "watch").dword, 1u);
  EXPECT_EQ(Stored("0", "notify").dword, 1u);

  // The next run keeps the disarmed entry: no notice at all.
  VantrelProcess second;
  HWND dlg2 = Start(second);
  ASSERT_NE(dlg2, nullptr);
  EXPECT_EQ(second.WaitForWindow(kNoticeTitle, 3000), nullptr);
  End(second, dlg2);
}

// Runs wineboot, which does what Windows does when the user logs off:
// WM_QUERYENDSESSION, then WM_ENDSESSION to every top-level window, with TRUE
// unless one of them refused. Unlike Windows, Wine leaves the processes
// running afterwards.
void EndTheSession() {
  std::string cmd = "wineboot.exe --end-session";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  fw::UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  ASSERT_EQ(::WaitForSingleObject(pi.hProcess, kDeadlineMs), WAIT_OBJECT_0);
}

TEST_F(DrivePanelRun, FirstRunStoresOneUnwatchedSectionPerFixedDriveAndTheWatchTick) {
  HWND dlg = Start();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(ChooseDrive(dlg, 'D'));
  HWND watch = ::GetDlgItem(dlg, kWatch);
  ASSERT_TRUE(::IsWindowEnabled(watch));
  ::SendMessageA(watch, BM_CLICK, 0, 0);
  // Windows ends the program with the session, its window never destroyed:
  // the tick is stored by then.
  EndTheSession();
  EXPECT_EQ(Stored("1", "path").text, "D:\\");
  EXPECT_EQ(Stored("1", "watch").dword, 1u);
  EXPECT_EQ(Stored("Settings", "driveCount").dword, FixedDrives().size());
  End(dlg);

  const std::vector<char> fixed = FixedDrives();
  ASSERT_GE(fixed.size(), 3u);
  EXPECT_EQ(Stored("Settings", "driveCount").dword, fixed.size());
  for (size_t i = 0; i < fixed.size(); ++i) {
    const std::string section = std::to_string(i);
    EXPECT_EQ(Stored(section, "path").text, std::string(1, fixed[i]) + ":\\");
    EXPECT_EQ(Stored(section, "drive").dword, static_cast<DWORD>(fixed[i] - 'A' + 1));
    EXPECT_EQ(Stored(section, "watch").dword, fixed[i] == 'D' ? 1u : 0u) << fixed[i];
    EXPECT_EQ(Stored(section, "notify").dword, 1u);
    EXPECT_EQ(Stored(section, "path").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Stored(section, "watch").type, static_cast<DWORD>(REG_DWORD));
  }
}

}  // namespace
}  // namespace vantrel::e2e
