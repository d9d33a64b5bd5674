#include "probes/processor_category.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

TEST(ProcessorCategory, Table) {
  struct Case {
    std::uint32_t type;
    std::uint16_t level;
    const char* text;
  };
  const Case cases[] = {
      {386, 3, "386"},
      {486, 0, "486"},
      {586, 6, "Pentium II(tm) / Compatible"},
      {586, 5, "Pentium(tm) / Compatible"},
      {586, 0, "Pentium(tm) / Compatible"},
      {586, 15, "Pentium(tm) / Compatible"},
      {8664, 6, "x64 / Compatible"},  // PROCESSOR_AMD_X8664
      {2200, 6, "Unknown"},           // PROCESSOR_INTEL_IA64
      {0, 0, "Unknown"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(std::string(ProcessorCategory(c.type, c.level)), c.text) << c.type << "/" << c.level;
  }
}

}  // namespace
}  // namespace vantrel
