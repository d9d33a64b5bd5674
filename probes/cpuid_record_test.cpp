#include "probes/cpuid_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// A processor answering from fixed registers, recording the leaves asked for.
std::vector<std::uint32_t> g_leaves;
std::uint32_t g_maxLeaf = 0;

CpuidRegs FakeCpuid(std::uint32_t leaf) {
  g_leaves.push_back(leaf);
  switch (leaf) {
    case 0:  // "GenuineIntel" as EBX, EDX, ECX
      return {g_maxLeaf, 0x756E6547, 0x6C65746E, 0x49656E69};
    case 1:
      return {0x000006A1, 0x11, 0x22, 0x0183F9FF};
    case 2:
      return {0x03020101, 0x0, 0x0, 0x0C040843};
    default:
      return {};
  }
}

TEST(CpuidRecord, FillsVendorSignatureFeaturesAndLeafTwoWhenReported) {
  struct Case {
    std::uint32_t maxLeaf;
    std::vector<std::uint32_t> leaves;
    std::uint32_t leaf2Eax;
  };
  const Case cases[] = {
      {1, {0, 1}, 0xDEADBEEF},  // leaf 2 untouched
      {2, {0, 1, 2}, 0x03020101},
      {13, {0, 1, 2}, 0x03020101},
  };
  for (const Case& c : cases) {
    g_leaves.clear();
    g_maxLeaf = c.maxLeaf;
    CpuidInfo info;
    info.leaf2[0] = 0xDEADBEEF;
    FillCpuidRecord(info, FakeCpuid);
    EXPECT_EQ(g_leaves, c.leaves) << c.maxLeaf;
    EXPECT_EQ(std::string(info.vendor), "GenuineIntel");
    EXPECT_EQ(info.vendor[12], '\0');
    EXPECT_EQ(info.maxLeaf, c.maxLeaf);
    EXPECT_EQ(info.signature, 0x000006A1u);
    EXPECT_EQ(info.leaf1Ebx, 0x11u);
    EXPECT_EQ(info.leaf1Ecx, 0x22u);
    EXPECT_EQ(info.features, 0x0183F9FFu);
    EXPECT_EQ(info.leaf2[0], c.leaf2Eax) << c.maxLeaf;
  }
}

TEST(CpuidRecord, FamilyAndModelIgnoreStepAndExtendedFields) {
  struct Case {
    std::uint32_t signature;
    int family;
    int model;
  };
  const Case cases[] = {
      {0x00000543, 5, 4},    // stepping 3 is not the model
      {0x000006A1, 6, 10},   //
      {0x000906EA, 6, 14},   // extended model 9 left out
      {0x00A20F10, 15, 1},   // extended family 10 left out
      {0xFFFFFFFF, 15, 15},  // reserved bits left out
      {0x00000000, 0, 0},
  };
  for (const Case& c : cases) {
    CpuidInfo info;
    info.signature = c.signature;
    EXPECT_EQ(CpuFamily(info), c.family) << std::hex << c.signature;
    EXPECT_EQ(CpuModel(info), c.model) << std::hex << c.signature;
  }
}

TEST(CpuidRecord, HasFeatureIsFalseAboveBit31) {
  CpuidInfo info;
  info.features = 0xFFFFFFFF;
  EXPECT_TRUE(HasFeature(info, 0));
  EXPECT_TRUE(HasFeature(info, 31));
  for (unsigned bit : {32u, 33u, 63u, 64u, 0xFFFFFFFFu}) EXPECT_FALSE(HasFeature(info, bit)) << bit;
  info.features = 0x80000001;
  EXPECT_TRUE(HasFeature(info, 31));
  EXPECT_FALSE(HasFeature(info, 30));
  EXPECT_FALSE(HasFeature(info, 1));
}

TEST(CpuidRecord, ClockFromTwoCounterReadings) {
  constexpr std::uint64_t kMillion = 1000000;
  constexpr std::uint64_t k2To32Millions = (std::uint64_t{1} << 32) * kMillion;
  struct Case {
    std::uint64_t before, after, mhz;
  };
  const Case cases[] = {
      {0, 233 * kMillion, 233},
      {999999, 233999999, 233},   // each reading truncated on its own
      {1000000, 233999999, 232},  //
      {5 * kMillion, 5 * kMillion, 0},
      // A counter past 2^32 millions, and one crossing that mark in between.
      {k2To32Millions + 7, k2To32Millions + 2300 * kMillion + 7, 2300},
      {k2To32Millions - 1000 * kMillion, k2To32Millions + 1300 * kMillion, 2300},
      {UINT64_MAX - 2300 * kMillion, UINT64_MAX, 2300},
      // Readings from two processors whose counters disagree.
      {900 * kMillion, 100 * kMillion, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ClockMhz(c.before, c.after), c.mhz) << c.before << " -> " << c.after;
}

}  // namespace
}  // namespace vantrel
