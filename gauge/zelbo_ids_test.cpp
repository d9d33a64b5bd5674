#include "gauge/zelbo_ids.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace zelbo {
namespace {

std::string Format(const GuidParts& g) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.d1, g.d2, g.d3, g.d4[0],
                g.d4[1], g.d4[2], g.d4[3], g.d4[4], g.d4[5], g.d4[6], g.d4[7]);
  return buf;
}

TEST(ZelboIds, PartsMatchTexts) {
  EXPECT_EQ(Format(kLibId), kLibIdText);
  EXPECT_EQ(Format(kDispIid), kDispIidText);
  EXPECT_EQ(Format(kEventsIid), kEventsIidText);
  EXPECT_EQ(Format(kCtrlClsid), kCtrlClsidText);
  EXPECT_EQ(Format(kPageClsid), kPageClsidText);
  const std::set<std::string> distinct{kLibIdText, kDispIidText, kEventsIidText, kCtrlClsidText, kPageClsidText};
  EXPECT_EQ(distinct.size(), 5u);
}

TEST(ZelboIds, GuidTextShape) {
  EXPECT_TRUE(IsGuidText("{00000000-0000-0000-0000-00000000000a}"));
  EXPECT_FALSE(IsGuidText("00000000-0000-0000-0000-000000000000"));
  EXPECT_FALSE(IsGuidText("{00000000-0000-0000-0000-00000000000g}"));
  EXPECT_FALSE(IsGuidText("{00000000-0000-0000-0000-000000000000}x"));
}

TEST(ZelboIds, MembersNumberedInOrder) {
  long expect = 1;
  for (const Member& m : kMembers) {
    EXPECT_EQ(m.dispid, expect++);
    EXPECT_EQ(FindMember(m.dispid), &m);
  }
  EXPECT_EQ(expect, 11);
  EXPECT_EQ(FindMember(0), nullptr);
  EXPECT_EQ(FindMember(11), nullptr);
}

}  // namespace
}  // namespace zelbo
