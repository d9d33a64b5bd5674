// What the pie window paints for given figures, read back from the screen.
#include "views/usage_pie_dlg.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>

#include "res/resource.h"

namespace vantrel {
namespace {

TEST(UsagePieWindow, PaintsTheFreeShareCounterclockwiseFromTheLeftEnd) {
  CUsagePieDlg pie;
  ASSERT_TRUE(pie.Create(IDD_USAGE_PIE, nullptr));
  ::SetWindowPos(pie.m_hWnd, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  const RECT client = pie.GetClientRect();
  const PieLayout layout = LayoutPie(client.right, client.bottom);
  // A point halfway out from the centre in each quarter of the disc, by the
  // angle of its middle (counterclockwise from the right), and one in the
  // shadow below the disc.
  auto inQuarter = [&](int degrees) {
    const double a = degrees * 3.14159265358979 / 180;
    return POINT{layout.centre.x + static_cast<int>(std::cos(a) * 37),
                 layout.centre.y - static_cast<int>(std::sin(a) * 18)};
  };
  const POINT shadow{layout.centre.x, layout.disc.bottom + 4};

  constexpr COLORREF used = kPieUsedColour, free = kPieFreeColour, none = CLR_INVALID;
  const struct {
    const char* what;
    std::int64_t free, total;
    COLORREF upperRight, upperLeft, lowerLeft, lowerRight;
    bool disc;
  } cases[] = {
      {"a quarter free", 1, 4, used, used, free, used, true},
      {"half free", 2, 4, used, used, free, free, true},
      {"three quarters free", 3, 4, free, used, free, free, true},
      {"nothing free: one colour, not two full ellipses", 0, 4, used, used, used, used, true},
      {"under a degree free", 1, 1000, used, used, used, used, true},
      {"everything free", 4, 4, free, free, free, free, true},
      {"no disk: the heading alone", 0, 0, none, none, none, none, false},
  };
  fw::WindowDc dc(pie.m_hWnd);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    pie.SetDriveLetter('C');
    pie.SetValues(c.free, c.total);
    ::UpdateWindow(pie.m_hWnd);
    const COLORREF expected[] = {c.upperRight, c.upperLeft, c.lowerLeft, c.lowerRight};
    const int middles[] = {45, 135, 225, 315};
    for (int q = 0; q < 4; ++q) {
      const POINT p = inQuarter(middles[q]);
      const COLORREF got = ::GetPixel(dc.get(), p.x, p.y);
      if (c.disc)
        EXPECT_EQ(got, expected[q]) << "quarter at " << middles[q];
      else
        EXPECT_TRUE(got != used && got != free) << "quarter at " << middles[q];
    }
    EXPECT_EQ(::GetPixel(dc.get(), shadow.x, shadow.y) == kPieGreyColour, c.disc);
  }
}

}  // namespace
}  // namespace vantrel
