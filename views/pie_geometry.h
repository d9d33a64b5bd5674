// The drive usage pie's arithmetic: where the disc, its shadow and the legend
// go in the client area, the boundary angle between the free and the used
// slice, what the window paints for given figures, and where it sits beside
// the main window.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

struct PiePoint {
  int x = 0, y = 0;
  bool operator==(const PiePoint& o) const { return x == o.x && y == o.y; }
};

struct PieRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PieRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// Colours as 0x00BBGGRR.
inline constexpr std::uint32_t kPieUsedColour = 0x006464FF;    // RGB(255,100,100)
inline constexpr std::uint32_t kPieFreeColour = 0x00FF6464;    // RGB(100,100,255)
inline constexpr std::uint32_t kPieGreyColour = 0x00646464;    // shadow and key frames
inline constexpr std::uint32_t kPieNoDiskColour = 0x003232C8;  // RGB(200,50,50)
inline constexpr std::uint32_t kPieTextColour = 0x00323232;    // RGB(50,50,50)

// The colours of one drawing: the pie's own, or in high contrast the
// system's (HighContrastPieColours).
struct PieColours {
  std::uint32_t used, free;  // the slices and their keys
  std::uint32_t frame;       // the shadow and the keys' frames
  std::uint32_t outline;     // the outline of the disc and its slices
  std::uint32_t text, noDiskText;
  bool operator==(const PieColours& o) const {
    return used == o.used && free == o.free && frame == o.frame && outline == o.outline && text == o.text &&
           noDiskText == o.noDiskText;
  }
};
inline constexpr PieColours kPieOwnColours{kPieUsedColour, kPieFreeColour, kPieGreyColour,
                                           0x00000000,     kPieTextColour, kPieNoDiskColour};

// In high contrast: the used slice in the highlight colour, the free one in
// the window colour, everything else in the window text colour.
PieColours HighContrastPieColours(std::uint32_t window, std::uint32_t windowText, std::uint32_t highlight);

inline constexpr int kPieRadius = 75;  // half the disc's width

struct PieLayout {
  PiePoint centre;
  PieRect disc;    // the ellipse's bounding box, 150 x 75 pixels
  PieRect shadow;  // the disc moved 8 pixels down
  PiePoint start;  // the left end of the disc: the fixed end of both slices
  PiePoint usedLabel, freeLabel;
  PieRect usedKey, freeKey;
};

// The layout for a client area of the given size (its origin is 0, 0).
PieLayout LayoutPie(int clientWidth, int clientHeight);

struct PieValue {
  bool noDisk = true;
  // Degrees from 180 (nothing free) to 540 (everything free); 0 with no disk.
  int angle = 0;
};

// The figures in any one unit. A total of 0 or below is the no-disk state; a
// free figure outside 0..total counts as nothing or everything free.
PieValue PieValueOf(std::int64_t free, std::int64_t total);

// Where the boundary's ray from the centre meets the disc, counterclockwise
// from the right with 90 pointing up, as the window has always drawn it.
PiePoint BoundaryPoint(PiePoint centre, int angle);

// How the disc is filled. When the boundary lies on the start point's ray
// (angles 180, 181 and 540) the two slices have coinciding ends and the
// platform would draw each as a whole ellipse, the free one last: the disc is
// then filled whole in the colour of the larger share instead.
enum class PieFill { kSlices, kAllUsed, kAllFree };

struct PiePlan {
  std::string heading;  // at (10, 5)
  std::uint32_t textColour = kPieTextColour;
  PieColours colours = kPieOwnColours;
  bool disc = false;  // false: the heading alone (no disk)
  PieFill fill = PieFill::kSlices;
  PiePoint boundary;  // the used slice runs from here to the start point, the free one back
};

PiePlan PlanPie(const PieLayout& layout, const PieValue& value, char driveLetter,
                const PieColours& colours = kPieOwnColours);

// Where the pie window of the given size goes beside its owner's client
// rectangle (screen coordinates): left of it with a gap of 8, otherwise right
// of it with a gap of 3, its bottom 3 above the owner's; kept inside the work
// area of the owner's monitor.
PiePoint PlaceBeside(const PieRect& owner, int width, int height, const PieRect& workArea);

}  // namespace vantrel
