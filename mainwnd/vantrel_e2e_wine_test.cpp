// Vantrel.exe end to end under Wine, driven from outside the process.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "mainwnd/e2e_harness.h"
#include "mainwnd/refresh_cycle.h"
#include "probes/processor_category.h"

namespace vantrel::e2e {
namespace {

class VantrelRun : public ::testing::Test {
 protected:
  void SetUp() override { ClearStore(); }
  void TearDown() override { ClearStore(); }

  HWND StartAndFindMainWindow(const std::string& args = "") {
    EXPECT_TRUE(app.Start(args));
    HWND dlg = app.WaitForWindow(kMainTitle);
    EXPECT_NE(dlg, nullptr) << "no window \"Computer Information\"";
    return dlg;
  }

  void EndAndWait(HWND dlg) {
    EndWithEscape(dlg);
    ASSERT_EQ(app.WaitForExit(), 0);
  }

  VantrelProcess app;
};

int LeadingNumber(const std::string& text) { return std::atoi(text.c_str()); }

TEST_F(VantrelRun, ShowsTheSystemSummaryAndWritesDefaultSettingsAtExit) {
  HWND dlg = StartAndFindMainWindow();
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
  EXPECT_EQ(ItemText(dlg, 1017), name);

  char user[25] = {};
  DWORD userSize = sizeof user;
  ASSERT_TRUE(::GetUserNameA(user, &userSize));
  EXPECT_EQ(ItemText(dlg, 1024), user);

  SYSTEM_INFO si{};
  ::GetSystemInfo(&si);
  EXPECT_EQ(ItemText(dlg, 1006), ProcessorCategory(si.dwProcessorType, si.wProcessorLevel));

  // Memory by the +1 rule; free memory and load move, so allow some drift.
  MEMORYSTATUS ms{};
  ms.dwLength = sizeof ms;
  ::GlobalMemoryStatus(&ms);
  const MemoryFigures m = ComputeMemoryFigures(ms.dwTotalPhys, ms.dwAvailPhys, ms.dwMemoryLoad);
  EXPECT_EQ(ItemText(dlg, 1001), m.totalText);
  const std::string freeText = ItemText(dlg, 1002);
  EXPECT_EQ(freeText.substr(freeText.size() - 3), " MB");
  EXPECT_NEAR(LeadingNumber(freeText), static_cast<int>(m.freeMB), 64);
  const std::string load = ItemText(dlg, 1004);
  EXPECT_EQ(load.back(), '%');
  EXPECT_NEAR(LeadingNumber(load), static_cast<int>(m.load), 10);

  // No drive chosen yet: the panel is blank, Pie and Watch are disabled.
  EXPECT_EQ(ItemText(dlg, 1015), "");
  EXPECT_EQ(ItemText(dlg, 1011), "");
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, 1073)));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, 1041)));

  EndAndWait(dlg);

  const struct {
    const char* name;
    DWORD value;
  } expected[] = {{"AutoHide", 0}, {"Percent", 15},   {"nTooltip", 0},    {"MemoryPos", 10},    {"DrivePos", 10},
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
  } stored[] = {{"AutoHide", 0},         {"Percent", 7},       {"nTooltip", 4},    {"MemoryPos", 3},
                {"DrivePos", 2},         {"labelText", 0x123456}, {"listText", 0xFF}, {"CloseNotify", 1},
                {"DisableNotify", 1}};
  for (const auto& s : stored) PutDword("Settings", s.name, s.value);

  HWND dlg = StartAndFindMainWindow("/Embedding");
  ASSERT_NE(dlg, nullptr);
  EndAndWait(dlg);

  for (const auto& s : stored) {
    const StoredValue v = Stored("Settings", s.name);
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_DWORD)) << s.name;
    EXPECT_EQ(v.dword, s.value) << s.name;
  }
}

}  // namespace
}  // namespace vantrel::e2e
