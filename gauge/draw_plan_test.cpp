#include "gauge/draw_plan.h"

#include <gtest/gtest.h>

#include <array>

namespace zelbo {
namespace {

constexpr Rect kBounds{0, 0, 143, 13};

GaugeState Gauge(int border, int min, int max, int pos, bool reverse = false, bool percent = false) {
  GaugeState s;
  s.SetBorderWidth(static_cast<std::int16_t>(border));
  // Reach positions outside the range the way a container can: set the
  // position under a wide range, then narrow it, or offset below zero.
  s.SetRange(0, 32767);
  if (pos >= 0)
    s.SetPos(static_cast<std::int16_t>(pos));
  else
    s.OffsetPos(static_cast<std::int16_t>(pos));
  s.SetRange(static_cast<std::int16_t>(min), static_cast<std::int16_t>(max));
  s.SetReverseScheme(reverse);
  s.SetPercent(percent);
  return s;
}

TEST(DrawPlan, BevelStrips) {
  const auto b = Bevel({10, 20, 50, 30}, 1, 2);
  ASSERT_EQ(b.size(), 4u);
  EXPECT_EQ(b[0].rect, (Rect{10, 20, 49, 21}));
  EXPECT_EQ(b[1].rect, (Rect{10, 20, 11, 29}));
  EXPECT_EQ(b[2].rect, (Rect{49, 20, 50, 30}));
  EXPECT_EQ(b[3].rect, (Rect{10, 29, 50, 30}));
  EXPECT_EQ(b[0].colour, 1u);
  EXPECT_EQ(b[1].colour, 1u);
  EXPECT_EQ(b[2].colour, 2u);
  EXPECT_EQ(b[3].colour, 2u);
}

TEST(DrawPlan, WorkedExample) {
  const DrawPlan p = PlanDraw(Gauge(1, 0, 100, 60, false, true), kBounds);
  EXPECT_EQ(p.bounds, kBounds);
  EXPECT_EQ(p.back, 0x00A0A0A0u);
  EXPECT_EQ(p.raised[0].colour, kBevelLight);
  EXPECT_EQ(p.raised[3].colour, kBevelDark);
  EXPECT_EQ(p.inner, (Rect{1, 1, 142, 12}));
  EXPECT_EQ(p.sunken[0].colour, kBevelDark);
  EXPECT_EQ(p.sunken[3].colour, kBevelLight);
  ASSERT_TRUE(p.filled);
  EXPECT_EQ(p.fillEdge, 1 + 84);
  EXPECT_EQ(p.fill, (Rect{1, 1, 85, 12}));
  EXPECT_EQ(p.level, 2);
  EXPECT_EQ(p.fillColour, 0x0032FF32u);
  EXPECT_EQ(p.caption, "60%");
  EXPECT_TRUE(p.captionDrawn);
  EXPECT_EQ(p.fontHeight, 11);
  EXPECT_EQ(CaptionLeft(p, 20), 1 + 70 - 10);
}

struct LevelCase {
  int min, max, pos;
  bool reverse;
  int level;  // -1: empty bar
  int fillRight;
  const char* caption;
};

TEST(DrawPlan, LevelsFillAndCaption) {
  // Inner rectangle (1, 1, 142, 12), 141 pixels wide.
  const LevelCase cases[] = {
      {0, 100, 0, false, -1, 0, "0%"},  // empty: no fill and no caption
      {0, 100, 1, false, 0, 2, "1%"},
      {0, 100, 25, false, 0, 36, "25%"},  // q1 itself: level 0 normal
      {0, 100, 25, true, 2, 36, "25%"},   //          level 2 reversed
      {0, 100, 26, false, 1, 37, "26%"},
      {0, 100, 50, false, 1, 71, "50%"},
      {0, 100, 50, true, 1, 71, "50%"},
      {0, 100, 75, false, 2, 106, "75%"},
      {0, 100, 75, true, 0, 106, "75%"},
      {0, 100, 76, false, 3, 108, "76%"},
      {0, 100, 24, true, 3, 34, "24%"},
      {0, 100, 100, false, 3, 142, "100%"},
      {0, 100, 100, true, 0, 142, "100%"},
      {0, 50, 80, false, 3, 142, "160%"},    // beyond the range: limited at the right edge
      {0, 1000, 100, false, 0, 101, "10%"},  // ratio raised to one pixel per unit
      {0, 1000, 500, false, 1, 142, "50%"},
      {0, 1000, 141, false, 0, 142, "14%"},
      {0, 100, -30, false, -1, 0, "-30%"},  // below the lower bound: empty
      // Lower bound above 0: measured from the lower bound.
      {50, 150, 50, false, -1, 0, "0%"},
      {50, 150, 51, false, 0, 2, "1%"},
      {50, 150, 100, false, 1, 71, "50%"},
      {50, 150, 150, false, 3, 142, "100%"},
  };
  for (const LevelCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " pos " << c.pos << (c.reverse ? " rev" : ""));
    const DrawPlan p = PlanDraw(Gauge(1, c.min, c.max, c.pos, c.reverse, true), kBounds);
    EXPECT_EQ(p.caption, c.caption);
    if (c.level < 0) {
      EXPECT_FALSE(p.filled);
      EXPECT_FALSE(p.captionDrawn);
      continue;
    }
    ASSERT_TRUE(p.filled);
    EXPECT_EQ(p.level, c.level);
    EXPECT_EQ(p.fill.right, c.fillRight);
    EXPECT_TRUE(p.captionDrawn);
  }
}

TEST(DrawPlan, HighContrastTakesSystemColoursAndKeepsTheGeometry) {
  const SystemColours sys{0x00000001, 0x00000002, 0x00000003, 0x00000004};
  struct Case {
    bool highContrast;
    Colour back, light, dark, fill, caption, captionOnFill;
  };
  const Case cases[] = {
      {false, 0x00A0A0A0, kBevelLight, kBevelDark, 0x0032FF32, kCaptionColour, kCaptionColour},
      {true, sys.window, sys.windowText, sys.windowText, sys.highlight, sys.windowText, sys.highlightText},
  };
  const GaugeState s = Gauge(2, 0, 100, 60, false, true);
  const DrawPlan plain = PlanDraw(s, kBounds);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.highContrast ? "high contrast" : "normal");
    const DrawPlan p = PlanDraw(s, kBounds, {c.highContrast, sys, false});
    EXPECT_EQ(p.back, c.back);
    EXPECT_EQ(p.raised[0].colour, c.light);
    EXPECT_EQ(p.raised[3].colour, c.dark);
    EXPECT_EQ(p.sunken[0].colour, c.dark);
    EXPECT_EQ(p.sunken[3].colour, c.light);
    EXPECT_EQ(p.fillColour, c.fill);
    EXPECT_EQ(p.captionColour, c.caption);
    EXPECT_EQ(p.captionOnFillColour, c.captionOnFill);
    EXPECT_EQ(p.inner, plain.inner);
    EXPECT_EQ(p.fill, plain.fill);
    EXPECT_EQ(p.caption, "60%");
    EXPECT_TRUE(p.captionDrawn);
  }
}

TEST(DrawPlan, FocusRectangleOnlyWhenFocusedAndThereIsRoom) {
  EXPECT_FALSE(PlanDraw(Gauge(1, 0, 100, 60), kBounds).focusDrawn);
  EXPECT_TRUE(PlanDraw(Gauge(1, 0, 100, 60), kBounds, {false, {}, true}).focusDrawn);
  EXPECT_FALSE(PlanDraw(Gauge(100, 0, 100, 60), kBounds, {false, {}, true}).focusDrawn);
}

TEST(DrawPlan, CaptionOnlyWithPercent) {
  EXPECT_FALSE(PlanDraw(Gauge(1, 0, 100, 60, false, false), kBounds).captionDrawn);
}

TEST(DrawPlan, ZeroOrNegativeSpanDrawsEmptyBar) {
  for (const auto& [min, max, pos] :
       {std::array{7, 7, 7}, std::array{0, 0, 5}, std::array{-5, -1, -5}, std::array{-5, -1, 3}}) {
    SCOPED_TRACE(testing::Message() << min << ".." << max << " pos " << pos);
    const DrawPlan p = PlanDraw(Gauge(1, min, max, pos, false, true), kBounds);
    EXPECT_FALSE(p.filled);
    EXPECT_FALSE(p.captionDrawn);
    EXPECT_EQ(p.sunken.size(), 4u);
  }
}

TEST(DrawPlan, InvertedInnerRectangleIsEmpty) {
  const DrawPlan p = PlanDraw(Gauge(100, 0, 100, 60, false, true), kBounds);
  EXPECT_TRUE(p.inner.Empty());
  EXPECT_FALSE(p.filled);
}

TEST(DrawPlan, FarPositionStaysAtTheEdge) {
  GaugeState s = Gauge(1, 0, 1, 0);
  for (int i = 0; i < 40000; ++i) s.OffsetPos(32767);  // far past INT_MAX / 141 pixels
  s.OffsetPos(-1);
  const DrawPlan p = PlanDraw(s, kBounds);
  EXPECT_LE(p.fillEdge, 142);
  EXPECT_GE(p.fillEdge, 0);
}

TEST(DrawPlan, OffsetBounds) {
  const DrawPlan p = PlanDraw(Gauge(2, 0, 100, 50), Rect{-20, 5, 80, 25});
  EXPECT_EQ(p.inner, (Rect{-18, 7, 78, 23}));
  EXPECT_EQ(p.fill, (Rect{-18, 7, -18 + 50, 23}));  // 96 pixels for 100 units: one per unit
  EXPECT_EQ(p.fontHeight, 16);
}

}  // namespace
}  // namespace zelbo
