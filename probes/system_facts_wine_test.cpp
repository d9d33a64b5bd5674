// The operating system, power and display facts as the platform reports them.
#include "probes/system_facts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

TEST(SystemFacts, VersionAndPowerAsWineReportsThem) {
  const ExtendedTexts t = DescribeExtended(ReadOsVersion(), ReadPowerStatus(), {});
  EXPECT_EQ(t.osName, "Windows NT");
  EXPECT_EQ(t.version, "6.1");
  EXPECT_EQ(t.build, "7601");
  EXPECT_EQ(t.extra, "Service Pack 1");
  EXPECT_EQ(t.acStatus, "Online");
  EXPECT_EQ(t.batteryStatus, "No system battery");
  EXPECT_EQ(t.charge, "Unknown status");
  EXPECT_EQ(t.lifeLeft, "Unknown status");
  EXPECT_EQ(t.fullLife, "Unknown status");
}

constexpr char kDisplayKey[] = "Config\\0001\\Display\\settings";
constexpr char kMonitorKey[] = "enum\\monitor\\default_monitor\\0001";

// The display keys of the 95 generation, which the NT generation lacks; each
// test puts in what it needs and removes them again.
class DisplayFactsTest : public ::testing::Test {
 protected:
  void SetUp() override { Remove(); }
  void TearDown() override { Remove(); }
  static void Remove() {
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Config\\0001");
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "enum\\monitor");
  }
  static void Put(const char* key, const char* name, const char* value) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    if (name)
      ::RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
    ::RegCloseKey(h);
  }
};

// Without the keys, or without one of their values, a fact comes from the
// primary display: the screen this test runs on.
TEST_F(DisplayFactsTest, WhatTheKeysLackComesFromThePrimaryDisplay) {
  const std::string screen =
      std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + "," + std::to_string(::GetSystemMetrics(SM_CYSCREEN));
  HDC dc = ::GetDC(nullptr);
  const std::string depth = std::to_string(::GetDeviceCaps(dc, BITSPIXEL));
  ::ReleaseDC(nullptr, dc);
  const DisplayFacts f = ReadDisplayFacts();
  EXPECT_EQ(f.resolution, screen);
  EXPECT_EQ(f.bitsPerPixel, depth);
  ASSERT_TRUE(f.monitor);
  EXPECT_NE(*f.monitor, L"");

  Put(kDisplayKey, "BitsPerPixel", "4");
  Put(kMonitorKey, nullptr, nullptr);
  const DisplayFacts g = ReadDisplayFacts();
  EXPECT_EQ(g.resolution, screen);
  EXPECT_EQ(g.bitsPerPixel, "4");
  EXPECT_EQ(g.monitor, f.monitor);

  Remove();
  // A maker's name in the system's own script, beyond the ANSI code page.
  const wchar_t name[] = L"\u663e\u793a\u5668 & Co";
  Put(kMonitorKey, nullptr, nullptr);
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMonitorKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  ::RegSetValueExW(key, L"DeviceDesc", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof name);
  ::RegCloseKey(key);
  EXPECT_EQ(ReadDisplayFacts().monitor, name);
}

}  // namespace
}  // namespace vantrel
