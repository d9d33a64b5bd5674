// The processor probes on the real processor. The machine's own account of
// the processor comes from the environment when the test scripts pass it
// (VT_CPU_VENDOR, VT_CPU_FAMILY and VT_CPU_MODEL as /proc/cpuinfo's
// vendor_id, cpu family and model); without it those comparisons are skipped.
#include "probes/cpu_probe.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <x86intrin.h>

#include <cstdlib>
#include <string>

namespace vantrel {
namespace {

const char* Env(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? v : nullptr;
}

TEST(CpuProbe, RecordAgreesWithTheMachine) {
  ASSERT_TRUE(CpuidSupported());
  CpuidInfo info;
  ASSERT_TRUE(ReadCpuid(info));
  EXPECT_EQ(info.vendor[12], '\0');
  EXPECT_GE(info.maxLeaf, 1u);

  // The operating system's feature report, from its own probing.
  EXPECT_EQ(HasFeature(info, kFeatureTsc), !!::IsProcessorFeaturePresent(PF_RDTSC_INSTRUCTION_AVAILABLE));
  EXPECT_EQ(HasFeature(info, kFeatureMmx), !!::IsProcessorFeaturePresent(PF_MMX_INSTRUCTIONS_AVAILABLE));
  EXPECT_EQ(HasFeature(info, 8), !!::IsProcessorFeaturePresent(PF_COMPARE_EXCHANGE_DOUBLE));
  EXPECT_EQ(HasFeature(info, 25), !!::IsProcessorFeaturePresent(PF_XMMI_INSTRUCTIONS_AVAILABLE));
  EXPECT_EQ(HasFeature(info, 26), !!::IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE));

  // Every processor that runs this program has a floating-point unit and a
  // time-stamp counter.
  const OsProcessorValues os = ReadOsProcessorValues();
  EXPECT_GE(os.count, 1u);
  const ProcessorTexts t = DescribeProcessor(&info, os, [] { return std::uint64_t{233}; });
  EXPECT_EQ(t.clock, "233 MHz");
  EXPECT_EQ(t.fpu, "Present");
  EXPECT_EQ(t.vendor, info.vendor);

  const char* vendor = Env("VT_CPU_VENDOR");
  const char* family = Env("VT_CPU_FAMILY");
  const char* model = Env("VT_CPU_MODEL");
  if (!vendor || !family || !model) GTEST_SKIP() << "VT_CPU_VENDOR, VT_CPU_FAMILY or VT_CPU_MODEL not set";

  EXPECT_EQ(std::string(info.vendor), vendor);
  // Linux adds the extended family to family 15 and puts the extended model
  // above the model's four bits; the record's fields are the base ones.
  const int linuxFamily = std::atoi(family);
  const int linuxModel = std::atoi(model);
  EXPECT_EQ(CpuFamily(info), linuxFamily >= 15 ? 15 : linuxFamily);
  EXPECT_EQ(CpuModel(info), linuxModel & 0xF);
}

TEST(CpuProbe, ClockMatchesTheCounterRate) {
  CpuidInfo info;
  ASSERT_TRUE(ReadCpuid(info));
  ASSERT_TRUE(HasFeature(info, kFeatureTsc));

  // Bracket the measurement with the performance counter and the time-stamp
  // counter. The measurement's own second lies inside the bracket, so it
  // cannot exceed the ticks of the whole bracket, and its sleep lasts at
  // least about a second of the counter's rate, however loaded the machine.
  LARGE_INTEGER freq, q0, q1;
  ASSERT_TRUE(::QueryPerformanceFrequency(&freq));
  ::QueryPerformanceCounter(&q0);
  const std::uint64_t tsc0 = __rdtsc();
  const std::uint64_t mhz = MeasureClockMhz();
  const std::uint64_t tsc1 = __rdtsc();
  ::QueryPerformanceCounter(&q1);

  const double seconds = static_cast<double>(q1.QuadPart - q0.QuadPart) / static_cast<double>(freq.QuadPart);
  const double rateMhz = static_cast<double>(tsc1 - tsc0) / seconds / 1e6;
  EXPECT_GE(seconds, 0.99);
  EXPECT_LE(mhz, (tsc1 - tsc0) / 1000000 + 1);
  EXPECT_GE(static_cast<double>(mhz), rateMhz * 0.97);
  // On an unloaded machine the bracket is barely longer than the sleep, and
  // then the two rates agree within a few percent.
  if (seconds < 1.03) {
    EXPECT_NEAR(static_cast<double>(mhz), rateMhz, rateMhz * 0.03);
  }
  ::testing::Test::RecordProperty("measured_mhz", std::to_string(mhz));
  ::testing::Test::RecordProperty("counter_rate_mhz", std::to_string(static_cast<long long>(rateMhz)));
}

}  // namespace
}  // namespace vantrel
