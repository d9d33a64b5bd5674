#include "options/option_texts.h"

#include <gtest/gtest.h>

#include <climits>

namespace vantrel {
namespace {

TEST(OptionTexts, ValuesAreWrittenAsGiven) {
  struct Case {
    int value;
    const char* threshold;
    const char* memory;
    const char* drive;
  };
  const Case cases[] = {
      {15, "< 15%", "15 seconds", "15 minute(s)"},
      {1, "< 1%", "1 seconds", "1 minute(s)"},
      {100, "< 100%", "100 seconds", "100 minute(s)"},
      // Stored values the sliders cannot take show unchanged.
      {2, "< 2%", "2 seconds", "2 minute(s)"},
      {0, "< 0%", "0 seconds", "0 minute(s)"},
      {-5, "< -5%", "-5 seconds", "-5 minute(s)"},
      {INT_MIN, "< -2147483648%", "-2147483648 seconds", "-2147483648 minute(s)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ThresholdText(c.value), c.threshold) << c.value;
    EXPECT_EQ(MemoryPeriodText(c.value), c.memory) << c.value;
    EXPECT_EQ(DrivePeriodText(c.value), c.drive) << c.value;
  }
}

}  // namespace
}  // namespace vantrel
