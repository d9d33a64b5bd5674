#include "probes/extended_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

TEST(ExtendedTexts, OperatingSystemByPlatform) {
  struct Case {
    OsVersion os;
    const char* name;
    const char* version;
    const char* build;
  };
  const Case cases[] = {
      {{3, 10, 0, 0, ""}, "Windows 3.1", "3.10", "0"},
      {{4, 0, 950, 1, ""}, "Windows 95", "4.0", "950"},
      {{4, 10, 0x040A07CE, 1, " A "}, "Windows 98", "4.10", "67766222"},  // version in the high word
      {{4, 90, 3000, 1, ""}, "Windows 98", "4.90", "3000"},
      {{4, 0, 1381, 2, "Service Pack 3"}, "Windows NT", "4.0", "1381"},
      {{6, 1, 7601, 2, "Service Pack 1"}, "Windows NT", "6.1", "7601"},
      {{5, 2, 0xFFFFFFFF, 2, ""}, "Windows NT", "5.2", "-1"},  // all 32 bits, signed
      {{6, 0, 6000, 3, ""}, "", "6.0", "6000"},                // VER_PLATFORM_WIN32_CE
      {{1, 0, 0, 0xFFFFFFFF, ""}, "", "1.0", "0"},
  };
  for (const Case& c : cases) {
    const ExtendedTexts t = DescribeExtended(c.os, std::nullopt, {});
    EXPECT_EQ(t.osName, c.name) << c.os.platformId << "/" << c.os.minor;
    EXPECT_EQ(t.version, c.version) << c.name;
    EXPECT_EQ(t.build, c.build) << c.name;
    EXPECT_EQ(t.extra, c.os.csdVersion) << c.name;
  }
}

TEST(ExtendedTexts, PowerCodes) {
  const char* ac[256] = {};
  ac[0] = "Offline";
  ac[1] = "Online";
  ac[255] = "Unknown status";
  const char* battery[256] = {};
  battery[1] = "High";
  battery[2] = "Low";
  battery[4] = "Critical";
  battery[8] = "Charging";
  battery[128] = "No system battery";
  battery[255] = "Unknown status";
  for (int code = 0; code < 256; ++code) {
    PowerStatus p;
    p.acLineStatus = static_cast<std::uint8_t>(code);
    p.batteryFlag = static_cast<std::uint8_t>(code);
    const ExtendedTexts t = DescribeExtended(std::nullopt, p, {});
    EXPECT_EQ(t.acStatus, ac[code] ? ac[code] : "") << code;
    EXPECT_EQ(t.batteryStatus, battery[code] ? battery[code] : "") << code;
  }
}

TEST(ExtendedTexts, ChargeAndBatteryLife) {
  struct Case {
    std::uint8_t percent;
    std::uint32_t left, full;
    const char *charge, *leftText, *fullText;
  };
  const Case cases[] = {
      {0, 0, 0, "0 %", "0 seconds", "0 seconds"},
      {57, 5400, 0xFFFFFFFF, "57 %", "5400 seconds", "Unknown status"},
      {100, 0xFFFFFFFF, 0x7FFFFFFF, "100 %", "Unknown status", "2147483647 seconds"},
      {254, 0x80000000, 0xFFFFFFFE, "254 %", "-2147483648 seconds", "-2 seconds"},  // shown signed
      {255, 0xFFFFFFFF, 0xFFFFFFFF, "Unknown status", "Unknown status", "Unknown status"},
  };
  for (const Case& c : cases) {
    const ExtendedTexts t = DescribeExtended(std::nullopt, PowerStatus{0, 0, c.percent, c.left, c.full}, {});
    EXPECT_EQ(t.charge, c.charge) << int{c.percent};
    EXPECT_EQ(t.lifeLeft, c.leftText) << c.left;
    EXPECT_EQ(t.fullLife, c.fullText) << c.full;
  }
}

TEST(ExtendedTexts, MainsPowerWithoutBattery) {
  const ExtendedTexts t = DescribeExtended(std::nullopt, PowerStatus{1, 128, 255, 0xFFFFFFFF, 0xFFFFFFFF}, {});
  EXPECT_EQ(t.acStatus, "Online");
  EXPECT_EQ(t.batteryStatus, "No system battery");
  EXPECT_EQ(t.charge, "Unknown status");
  EXPECT_EQ(t.lifeLeft, "Unknown status");
  EXPECT_EQ(t.fullLife, "Unknown status");
}

TEST(ExtendedTexts, UnreadableRecordsAndMissingRegistryValuesLeaveTextsEmpty) {
  const ExtendedTexts t = DescribeExtended(std::nullopt, std::nullopt, {});
  for (const std::string* s : {&t.build, &t.extra, &t.osName, &t.version, &t.acStatus, &t.batteryStatus, &t.charge,
                               &t.fullLife, &t.lifeLeft, &t.bitsPerPixel, &t.resolution})
    EXPECT_EQ(*s, "");
  EXPECT_EQ(t.monitor, L"");
}

TEST(ExtendedTexts, DisplayValues) {
  const ExtendedTexts t = DescribeExtended(std::nullopt, std::nullopt, {"1024,768", "16", L"Plug and Play Monitor"});
  EXPECT_EQ(t.resolution, "1024  x  768   ");
  EXPECT_EQ(t.bitsPerPixel, "16");
  EXPECT_EQ(t.monitor, L"Plug and Play Monitor");
  const ExtendedTexts onlyDepth = DescribeExtended(std::nullopt, std::nullopt, {std::nullopt, "", std::nullopt});
  EXPECT_EQ(onlyDepth.resolution, "");
  EXPECT_EQ(onlyDepth.bitsPerPixel, "");
  EXPECT_EQ(onlyDepth.monitor, L"");
}

TEST(ExtendedTexts, Resolution) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"800,600", "800  x  600    "},
      {"1024,768", "1024  x  768   "},
      {"1280,1024", "1280  x  1024  "},
      {"640", "640  x         "},  // no comma: the x and padding only
      {"", "  x            "},
      {",", "  x            "},
      {"800,600,16", "800  x  600,16 "},  // only the first comma separates
      // The longest texts that fill exactly 15 characters.
      {"12345,67890", "12345  x  67890"},
      {"123456789012", "123456789012  x"},
      // Longer texts keep every character and grow past 15.
      {"1234567,8901", "1234567  x  8901"},
      {"1234567890123", "1234567890123  x"},
      {"32768,32768,32", "32768  x  32768,32"},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolutionText(c.in), c.out) << '"' << c.in << '"';
}

}  // namespace
}  // namespace vantrel
