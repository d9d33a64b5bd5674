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

TEST_F(DisplayFactsTest, MissingKeysLeaveEverythingOut) {
  const DisplayFacts f = ReadDisplayFacts();
  EXPECT_FALSE(f.resolution);
  EXPECT_FALSE(f.bitsPerPixel);
  EXPECT_FALSE(f.monitor);
}

TEST_F(DisplayFactsTest, ReadsResolutionDepthAndMonitor) {
  Put(kDisplayKey, "Resolution", "1280,1024");
  Put(kDisplayKey, "BitsPerPixel", "16");
  Put(kMonitorKey, "DeviceDesc", "Plug and Play Monitor");
  const ExtendedTexts t = DescribeExtended(std::nullopt, std::nullopt, ReadDisplayFacts());
  EXPECT_EQ(t.resolution, "1280  x  1024  ");
  EXPECT_EQ(t.bitsPerPixel, "16");
  EXPECT_EQ(t.monitor, "Plug and Play Monitor");
}

TEST_F(DisplayFactsTest, MissingValuesOrMonitorKeyLeaveThoseOut) {
  Put(kDisplayKey, "BitsPerPixel", "32");
  Put(kMonitorKey, nullptr, nullptr);
  const DisplayFacts f = ReadDisplayFacts();
  EXPECT_FALSE(f.resolution);
  EXPECT_EQ(f.bitsPerPixel, "32");
  EXPECT_FALSE(f.monitor);

  Remove();
  Put(kMonitorKey, "DeviceDesc", "Default Monitor");
  const DisplayFacts g = ReadDisplayFacts();
  EXPECT_FALSE(g.resolution);
  EXPECT_FALSE(g.bitsPerPixel);
  EXPECT_EQ(g.monitor, "Default Monitor");
}

}  // namespace
}  // namespace vantrel
