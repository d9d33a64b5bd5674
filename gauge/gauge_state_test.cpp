#include "gauge/gauge_state.h"

#include <gtest/gtest.h>

#include <functional>

namespace zelbo {
namespace {

constexpr Effect kNone{false, false};
constexpr Effect kRedraw{true, false};
constexpr Effect kChanged{true, true};

TEST(GaugeState, FreshInstance) {
  GaugeState s;
  EXPECT_EQ(s.Min(), 0);
  EXPECT_EQ(s.Max(), 100);
  EXPECT_EQ(s.Pos(), 0);
  EXPECT_EQ(s.Step(), 1);
  EXPECT_EQ(s.BorderWidth(), 2);
  EXPECT_EQ(s.LevelColour(0), 0x000000C8u);
  EXPECT_EQ(s.LevelColour(1), 0x0032E1E1u);
  EXPECT_EQ(s.LevelColour(2), 0x0032FF32u);
  EXPECT_EQ(s.LevelColour(3), 0x00009600u);
  EXPECT_EQ(s.Back(), 0x00A0A0A0u);
  EXPECT_FALSE(s.ReverseScheme());
  EXPECT_FALSE(s.Percent());
}

struct Case {
  const char* what;
  std::function<void(GaugeState&)> setup;
  std::function<Effect(GaugeState&)> call;
  Effect effect;
  int min, max, pos, step, border;
};

TEST(GaugeState, Members) {
  const Case cases[] = {
      {"SetPos inside", nullptr, [](auto& s) { return s.SetPos(60); }, kRedraw, 0, 100, 60, 1, 2},
      {"SetPos upper bound", nullptr, [](auto& s) { return s.SetPos(100); }, kRedraw, 0, 100, 100, 1, 2},
      {"SetPos above", nullptr, [](auto& s) { return s.SetPos(101); }, kNone, 0, 100, 0, 1, 2},
      {"SetPos below", nullptr, [](auto& s) { return s.SetPos(-1); }, kNone, 0, 100, 0, 1, 2},
      {"SetRange inverted ignored", nullptr, [](auto& s) { return s.SetRange(10, 5); }, kNone, 0, 100, 0, 1, 2},
      {"SetRange negative lower clamps to 0", nullptr, [](auto& s) { return s.SetRange(-20, 50); }, kNone, 0, 50, 0, 1,
       2},
      {"SetRange keeps a position outside", [](auto& s) { s.SetPos(80); }, [](auto& s) { return s.SetRange(0, 50); },
       kNone, 0, 50, 80, 1, 2},
      {"SetRange equal bounds accepted", nullptr, [](auto& s) { return s.SetRange(7, 7); }, kNone, 7, 7, 0, 1, 2},
      {"SetRange all negative", nullptr, [](auto& s) { return s.SetRange(-5, -1); }, kNone, 0, -1, 0, 1, 2},
      {"StepIt wraps to min", [](auto& s) { s.SetPos(90), s.SetStep(30); }, [](auto& s) { return s.StepIt(); }, kRedraw,
       0, 100, 0, 30, 2},
      {"StepIt wraps to max", [](auto& s) { s.SetPos(10), s.SetStep(-30); }, [](auto& s) { return s.StepIt(); },
       kRedraw, 0, 100, 100, -30, 2},
      {"StepIt plain", nullptr, [](auto& s) { return s.StepIt(); }, kRedraw, 0, 100, 1, 1, 2},
      {"SetStep above max", nullptr, [](auto& s) { return s.SetStep(101); }, kNone, 0, 100, 0, 1, 2},
      {"SetStep minus max", nullptr, [](auto& s) { return s.SetStep(-100); }, kNone, 0, 100, 0, -100, 2},
      {"SetStep bound is max not span", [](auto& s) { s.SetRange(50, 60); }, [](auto& s) { return s.SetStep(60); },
       kNone, 50, 60, 0, 60, 2},
      {"OffsetPos wraps once", [](auto& s) { s.SetPos(95); }, [](auto& s) { return s.OffsetPos(10); }, kRedraw, 0, 100,
       5, 1, 2},
      {"OffsetPos up to max", [](auto& s) { s.SetPos(95); }, [](auto& s) { return s.OffsetPos(5); }, kNone, 0, 100, 100,
       1, 2},
      {"OffsetPos below zero", nullptr, [](auto& s) { return s.OffsetPos(-30); }, kNone, 0, 100, -30, 1, 2},
      {"SetBorderWidth 0", nullptr, [](auto& s) { return s.SetBorderWidth(0); }, kNone, 0, 100, 0, 1, 2},
      {"SetBorderWidth 101", nullptr, [](auto& s) { return s.SetBorderWidth(101); }, kNone, 0, 100, 0, 1, 2},
      {"SetBorderWidth 100", nullptr, [](auto& s) { return s.SetBorderWidth(100); }, kRedraw, 0, 100, 0, 1, 100},
      {"SetBorderWidth 1", nullptr, [](auto& s) { return s.SetBorderWidth(1); }, kRedraw, 0, 100, 0, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GaugeState s;
    if (c.setup) c.setup(s);
    EXPECT_EQ(c.call(s), c.effect);
    EXPECT_EQ(s.Min(), c.min);
    EXPECT_EQ(s.Max(), c.max);
    EXPECT_EQ(s.Pos(), c.pos);
    EXPECT_EQ(s.Step(), c.step);
    EXPECT_EQ(s.BorderWidth(), c.border);
  }
}

TEST(GaugeState, SetEventColor) {
  for (int type = -2; type <= 12; ++type) {
    SCOPED_TRACE(type);
    GaugeState s;
    EXPECT_EQ(s.SetEventColor(static_cast<std::int16_t>(type), 0x00123456), kRedraw);
    for (int level = 0; level < 4; ++level)
      EXPECT_EQ(s.LevelColour(level), level == type ? 0x00123456u : kDefaultLevelColours[level]);
    EXPECT_EQ(s.Back(), type == 10 ? 0x00123456u : kDefaultBack);
  }
}

TEST(GaugeState, PropertiesMarkModifiedEveryWrite) {
  GaugeState s;
  EXPECT_EQ(s.SetPercent(true), kChanged);
  EXPECT_EQ(s.SetPercent(true), kChanged);
  EXPECT_EQ(s.SetReverseScheme(false), kChanged);
  EXPECT_TRUE(s.Percent());
}

TEST(GaugeState, GetPosKeepsLow16Bits) {
  GaugeState s;
  for (int i = 0; i < 7; ++i) s.OffsetPos(-10000);  // -70,000
  EXPECT_EQ(s.Pos(), -70000);
  EXPECT_EQ(s.GetPos(), -4464);
}

TEST(GaugeState, PositionWrapsInsteadOfOverflowing) {
  GaugeState s;
  s.SetRange(0, 0);
  // Each offset past the upper bound of 0 subtracts nothing: the position
  // climbs until it wraps like a 32-bit register.
  for (int i = 0; i < 70000; ++i) s.OffsetPos(32767);
  EXPECT_EQ(s.Pos(), static_cast<std::int32_t>(static_cast<std::uint32_t>(70000u * 32767u)));
}

}  // namespace
}  // namespace zelbo
