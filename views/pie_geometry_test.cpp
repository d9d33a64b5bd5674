#include "views/pie_geometry.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(PieGeometry, Layout) {
  const PieLayout l = LayoutPie(198, 145);
  EXPECT_EQ(l.centre, (PiePoint{99, 72}));
  EXPECT_EQ(l.disc, (PieRect{24, 34, 174, 109}));  // cy - 38 to cy + 37
  EXPECT_EQ(l.shadow, (PieRect{24, 42, 174, 117}));
  EXPECT_EQ(l.start, (PiePoint{24, 72}));
  EXPECT_EQ(l.usedLabel, (PiePoint{123, 2}));  // lx = cx + 198 / 8
  EXPECT_EQ(l.usedKey, (PieRect{173, 4, 183, 14}));
  EXPECT_EQ(l.freeLabel, (PiePoint{123, 17}));
  EXPECT_EQ(l.freeKey, (PieRect{173, 19, 183, 29}));

  // Halves are truncated toward zero on both sides of a small centre.
  const PieLayout small = LayoutPie(40, 21);
  EXPECT_EQ(small.disc, (PieRect{-55, -27, 95, 47}));
}

TEST(PieGeometry, AnglesAndBoundaryPoints) {
  struct Case {
    std::int64_t free, total;
    int angle;
    int dx, dy;
    PieFill fill;
  };
  const Case cases[] = {
      {1, 4, 270, 0, 74, PieFill::kSlices},  // a quarter free: the lower-left quarter
      {2, 4, 360, 75, 0, PieFill::kSlices},  // half free: the lower half
      {3, 4, 450, 0, -75, PieFill::kSlices},
      {4, 4, 540, -74, 0, PieFill::kAllFree},
      {0, 4, 180, -74, 0, PieFill::kAllUsed},
      {1, 3, 300, 38, 64, PieFill::kSlices},  // 120 + 180, truncated to whole degrees
      {1, 360, 181, -74, 0, PieFill::kAllUsed},
      {2, 360, 182, -74, 2, PieFill::kSlices},
      {359, 360, 539, -74, -1, PieFill::kSlices},
      {5, 4, 540, -74, 0, PieFill::kAllFree},  // more free than there is: all of it
      {-1, 4, 180, -74, 0, PieFill::kAllUsed},
      {INT64_MAX / 2, INT64_MAX, 359, 75, 0, PieFill::kSlices},  // no overflow in free * 360
  };
  const PieLayout l = LayoutPie(198, 145);
  for (const Case& c : cases) {
    const PieValue v = PieValueOf(c.free, c.total);
    EXPECT_FALSE(v.noDisk);
    EXPECT_EQ(v.angle, c.angle) << c.free << "/" << c.total;
    const PiePlan p = PlanPie(l, v, 'C');
    EXPECT_EQ(p.boundary, (PiePoint{l.centre.x + c.dx, l.centre.y + c.dy})) << c.angle;
    EXPECT_EQ(p.fill, c.fill) << c.angle;
    EXPECT_TRUE(p.disc);
    EXPECT_EQ(p.heading, "Drive : C");
    EXPECT_EQ(p.textColour, kPieTextColour);
  }
}

TEST(PieGeometry, NoDiskDrawsTheRedLineAlone) {
  for (std::int64_t total : {0, -5}) {
    const PieValue v = PieValueOf(10, total);
    EXPECT_TRUE(v.noDisk);
    EXPECT_EQ(v.angle, 0);
    const PiePlan p = PlanPie(LayoutPie(198, 145), v, 'E');
    EXPECT_EQ(p.heading, "No Disk in Drive : E");
    EXPECT_EQ(p.textColour, kPieNoDiskColour);
    EXPECT_FALSE(p.disc);
  }
  // Before any letter is set the window holds a space.
  EXPECT_EQ(PlanPie(LayoutPie(198, 145), PieValueOf(1, 2), ' ').heading, "Drive :  ");
}

TEST(PieGeometry, PlaceBeside) {
  const PieRect screen{0, 0, 1024, 768};
  struct Case {
    PieRect owner;
    int width, height;
    PieRect work;
    PiePoint at;
  };
  const Case cases[] = {
      {{400, 300, 700, 600}, 200, 150, screen, {192, 447}},  // left of the owner
      {{5, 300, 305, 600}, 200, 150, screen, {308, 447}},    // no room on the left: right
      {{208, 300, 508, 600}, 200, 150, screen, {0, 447}},    // exactly room on the left
      {{207, 300, 507, 600}, 200, 150, screen, {510, 447}},
      {{100, 20, 900, 100}, 200, 150, screen, {824, 0}},     // neither side: inside on the right, not above the top
      {{400, 600, 700, 900}, 200, 150, screen, {192, 618}},  // the owner hangs below the screen
      {{1300, 300, 1600, 600}, 200, 150, {1024, 0, 2048, 738}, {1092, 447}},  // a second monitor
      {{5, 300, 305, 600}, 200, 150, {60, 0, 1024, 738}, {308, 447}},         // a taskbar on the left
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlaceBeside(c.owner, c.width, c.height, c.work), c.at)
        << c.owner.left << "," << c.owner.top << " in " << c.work.left << "," << c.work.right;
}

}  // namespace
}  // namespace vantrel
