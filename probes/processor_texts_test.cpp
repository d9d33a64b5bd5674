#include "probes/processor_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vantrel {
namespace {

int g_measurements = 0;
std::uint64_t Measure233() {
  ++g_measurements;
  return 233;
}

CpuidInfo Record(const char* vendor, int family, int model, std::uint32_t features = 0) {
  CpuidInfo info;
  std::strncpy(info.vendor, vendor, 12);
  info.signature = static_cast<std::uint32_t>(family << 8 | model << 4 | 0x3);
  info.features = features;
  return info;
}

TEST(ProcessorTexts, VendorTable) {
  struct Case {
    const char* vendor;
    int family, model;
    std::uint32_t osType;
    std::uint16_t osLevel;
    const char* type;
    const char* label;
    VendorLogo logo;
  };
  const Case cases[] = {
      // Intel: named from the operating system's values only.
      {"GenuineIntel", 6, 8, 586, 6, "Pentium II (tm)", "\xAE Intel", VendorLogo::Intel},
      {"GenuineIntel", 6, 8, 586, 5, "Pentium (tm)", "\xAE Intel", VendorLogo::Intel},
      {"GenuineIntel", 5, 2, 386, 6, "386", "\xAE Intel", VendorLogo::Intel},
      {"GenuineIntel", 6, 8, 8664, 6, "x64", "\xAE Intel", VendorLogo::Intel},
      // Cyrix: by family and model.
      {"CyrixInstead", 4, 4, 586, 6, "MediaGX (tm)", "\xAE Cyrix", VendorLogo::Cyrix},
      {"CyrixInstead", 5, 2, 586, 6, "6x86L (tm)", "\xAE Cyrix", VendorLogo::Cyrix},
      {"CyrixInstead", 5, 4, 586, 6, "MediaGX w/MMX (tm)", "\xAE Cyrix", VendorLogo::Cyrix},
      {"CyrixInstead", 5, 3, 586, 6, "Unknown", "\xAE Cyrix", VendorLogo::Cyrix},
      {"CyrixInstead", 6, 15, 386, 3, "6x86MX MII(tm)", "\xAE Cyrix", VendorLogo::Cyrix},
      {"CyrixInstead", 7, 0, 586, 6, "Unknown", "\xAE Cyrix", VendorLogo::Cyrix},
      // AMD: by family and model.
      {"AuthenticAMD", 4, 7, 486, 4, "Am486 or Am5x86", "\xAE AMD", VendorLogo::Amd},
      {"AuthenticAMD", 5, 0, 586, 5, "AMD K5", "\xAE AMD", VendorLogo::Amd},
      {"AuthenticAMD", 5, 1, 586, 5, "AMD K5", "\xAE AMD", VendorLogo::Amd},
      {"AuthenticAMD", 5, 2, 586, 5, "AMD K5", "\xAE AMD", VendorLogo::Amd},
      {"AuthenticAMD", 5, 3, 586, 5, "AMD K5", "\xAE AMD", VendorLogo::Amd},
      {"AuthenticAMD", 5, 6, 586, 5, "AMD K6 MMX", "\xAE AMD", VendorLogo::Amd},
      {"AuthenticAMD", 5, 4, 586, 5, "Unknown", "\xAE AMD", VendorLogo::Amd},
      {"AuthenticAMD", 5, 7, 586, 5, "Unknown", "\xAE AMD", VendorLogo::Amd},
      {"AuthenticAMD", 5, 8, 586, 5, "Unknown", "\xAE AMD", VendorLogo::Amd},
      {"AuthenticAMD", 6, 0, 586, 6, "Unknown", "\xAE AMD", VendorLogo::Amd},
      // Centaur: a logo, no type, the sign alone.
      {"CentaurHauls", 6, 6, 586, 6, "", "\xAE", VendorLogo::Centaur},
      // Everyone else, and near misses of the known names: compatibles by the
      // operating system's values, never by family or model.
      {"AMDisbetter!", 5, 0, 586, 5, "Pentium(tm) Compatible", "\xAE", VendorLogo::None},
      {"genuineintel", 6, 8, 586, 6, "Pentium II(tm) Compatible", "\xAE", VendorLogo::None},
      {"genuineintel", 6, 8, 8664, 6, "x64 Compatible", "\xAE", VendorLogo::None},
      {"GenuineInte", 6, 8, 586, 6, "Pentium II(tm) Compatible", "\xAE", VendorLogo::None},
      {" GenuineInte", 6, 8, 486, 6, "486", "\xAE", VendorLogo::None},
      {"", 5, 0, 2200, 6, "Unknown", "\xAE", VendorLogo::None},
  };
  for (const Case& c : cases) {
    const CpuidInfo info = Record(c.vendor, c.family, c.model);
    const ProcessorTexts t = DescribeProcessor(&info, {1, c.osType, c.osLevel}, Measure233);
    const std::string what = std::string(c.vendor) + " " + std::to_string(c.family) + "/" + std::to_string(c.model);
    EXPECT_EQ(t.type, c.type) << what;
    EXPECT_EQ(t.vendorLabel, c.label) << what;
    EXPECT_EQ(t.logo, c.logo) << what;
    EXPECT_EQ(t.vendor, c.vendor) << what;
    EXPECT_EQ(t.revision, std::to_string(c.model)) << what;
  }
}

TEST(ProcessorTexts, ClockFloatingPointAndMmxFromTheirBits) {
  struct Case {
    std::uint32_t features;
    const char* clock;
    int measurements;
    const char* fpu;
    const char* mmx;
  };
  const Case cases[] = {
      {1u << 0 | 1u << 4 | 1u << 23, "233 MHz", 1, "Present", "Available"},
      {0, "Unavailable", 0, "Not Present", "Not Available"},
      {1u << 4, "233 MHz", 1, "Not Present", "Not Available"},
      {~(1u << 0 | 1u << 4 | 1u << 23), "Unavailable", 0, "Not Present", "Not Available"},
  };
  for (const Case& c : cases) {
    g_measurements = 0;
    const CpuidInfo info = Record("GenuineIntel", 5, 4, c.features);
    const ProcessorTexts t = DescribeProcessor(&info, {1, 586, 5}, Measure233);
    EXPECT_EQ(t.clock, c.clock) << std::hex << c.features;
    EXPECT_EQ(g_measurements, c.measurements) << std::hex << c.features;
    EXPECT_EQ(t.fpu, c.fpu) << std::hex << c.features;
    EXPECT_EQ(t.mmx, c.mmx) << std::hex << c.features;
  }
}

TEST(ProcessorTexts, WithoutCpuidOnlyTheProcessorCount) {
  g_measurements = 0;
  const ProcessorTexts t = DescribeProcessor(nullptr, {4, 586, 6}, Measure233);
  EXPECT_EQ(t.processors, "4");
  EXPECT_EQ(g_measurements, 0);
  for (const std::string* s : {&t.type, &t.vendor, &t.revision, &t.clock, &t.vendorLabel, &t.fpu, &t.mmx})
    EXPECT_EQ(*s, "");
  EXPECT_EQ(t.logo, VendorLogo::None);
}

TEST(ProcessorTexts, FeatureRowsReportTheirOwnBit) {
  // Rows 0-8 are bits 1-9, rows 9-14 bits 11-16 and row 15 bit 24; bit 10 and
  // every other bit belong to no row.
  auto rowOf = [](unsigned bit) {
    if (bit >= 1 && bit <= 9) return static_cast<int>(bit) - 1;
    if (bit >= 11 && bit <= 16) return static_cast<int>(bit) - 2;
    return bit == 24 ? 15 : -1;
  };
  for (unsigned bit = 0; bit < 32; ++bit) {
    CpuidInfo info;
    info.features = 1u << bit;
    for (int row = 0; row < 16; ++row) {
      EXPECT_STREQ(FeatureStateText(info, row), row == rowOf(bit) ? "Present" : "Not Present")
          << "bit " << bit << " row " << row;
    }
  }
}

TEST(ProcessorTexts, RowsOutsideTheListAreNotAvailable) {
  CpuidInfo info;
  info.features = 0xFFFFFFFF;
  for (int row : {-1, 16, 17, 1000}) EXPECT_STREQ(FeatureStateText(info, row), "Not Available") << row;
  EXPECT_STREQ(FeatureStateText(info, 0), "Present");
  EXPECT_STREQ(FeatureStateText(info, 15), "Present");
}

}  // namespace
}  // namespace vantrel
