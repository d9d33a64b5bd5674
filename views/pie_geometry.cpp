#include "views/pie_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vantrel {

PieLayout LayoutPie(int clientWidth, int clientHeight) {
  PieLayout l;
  const int cx = clientWidth / 2, cy = clientHeight / 2;
  l.centre = {cx, cy};
  // Half of 75 on each side of the centre, truncated toward zero.
  l.disc = {cx - kPieRadius, (2 * cy - kPieRadius) / 2, cx + kPieRadius, (2 * cy + kPieRadius) / 2};
  l.shadow = {l.disc.left, l.disc.top + 8, l.disc.right, l.disc.bottom + 8};
  l.start = {cx - kPieRadius, cy};
  const int lx = cx + clientWidth / 8;
  l.usedLabel = {lx, 2};
  l.usedKey = {lx + 50, 4, lx + 60, 14};
  l.freeLabel = {lx, 17};
  l.freeKey = {lx + 50, 19, lx + 60, 29};
  return l;
}

PieValue PieValueOf(std::int64_t free, std::int64_t total) {
  if (total <= 0) return {true, 0};
  free = std::clamp<std::int64_t>(free, 0, total);
  // free * 360 must fit in 64 bits: beyond that both figures are halved
  // together, which keeps the share to within a degree.
  while (free > INT64_MAX / 360) {
    free /= 2;
    total /= 2;
  }
  return {false, static_cast<int>(free * 360 / total) + 180};
}

PiePoint BoundaryPoint(PiePoint centre, int angle) {
  // The window's own degree factor, 3.141592654 / 180.
  const double a = angle * 0.017453292522222223;
  return {centre.x + static_cast<int>(std::trunc(std::cos(a) * kPieRadius + 0.5)),
          centre.y - static_cast<int>(std::trunc(std::sin(a) * kPieRadius + 0.5))};
}

PieColours HighContrastPieColours(std::uint32_t window, std::uint32_t windowText, std::uint32_t highlight) {
  return {highlight, window, windowText, windowText, windowText, windowText};
}

PiePlan PlanPie(const PieLayout& layout, const PieValue& value, char driveLetter, const PieColours& colours) {
  PiePlan p;
  p.colours = colours;
  p.textColour = colours.text;
  if (value.noDisk) {
    p.heading = std::string("No Disk in Drive : ") + driveLetter;
    p.textColour = colours.noDiskText;
    return p;
  }
  p.heading = std::string("Drive : ") + driveLetter;
  p.disc = true;
  p.boundary = BoundaryPoint(layout.centre, value.angle);
  const bool onStartRay = p.boundary.y == layout.centre.y && p.boundary.x < layout.centre.x;
  if (onStartRay) p.fill = value.angle < 360 ? PieFill::kAllUsed : PieFill::kAllFree;
  return p;
}

PiePoint PlaceBeside(const PieRect& owner, int width, int height, const PieRect& workArea) {
  int x = owner.left - width - 8;
  if (x < workArea.left) x = owner.right + 3;
  // Neither side has room: as far right as the work area allows.
  if (x + width > workArea.right) x = std::max(workArea.left, workArea.right - width);
  const int y = std::max(workArea.top, std::min(owner.bottom - height - 3, workArea.bottom - height));
  return {x, y};
}

}  // namespace vantrel
