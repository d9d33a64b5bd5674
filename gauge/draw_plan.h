// What the gauge paints for a given state and bounds, as plain rectangles and
// colours; the control's OnDraw only executes the plan on a device context.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gauge/gauge_state.h"

namespace zelbo {

struct Rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool Empty() const { return right <= left || bottom <= top; }
};

struct Strip {
  Rect rect;
  Colour colour;
};

inline constexpr Colour kBevelLight = 0x00FFFFFF;
inline constexpr Colour kBevelDark = 0x00646464;
inline constexpr Colour kCaptionColour = 0x00000000;

// The system's colours that the gauge takes while high contrast is on.
struct SystemColours {
  Colour window = 0;         // COLOR_WINDOW: the background
  Colour windowText = 0;     // COLOR_WINDOWTEXT: the frame, and the caption over the background
  Colour highlight = 0;      // COLOR_HIGHLIGHT: the fill
  Colour highlightText = 0;  // COLOR_HIGHLIGHTTEXT: the caption over the fill
};

// How the gauge is shown besides its state: in high contrast (then in the
// given system colours) or not, and whether it has the keyboard focus.
struct DrawSettings {
  bool highContrast = false;
  SystemColours system;
  bool focused = false;
};

// The four one-pixel strips of a 3-D frame on r: top and left in topLeft,
// right and bottom in bottomRight, in that order.
std::vector<Strip> Bevel(const Rect& r, Colour topLeft, Colour bottomRight);

struct DrawPlan {
  Rect bounds;
  Colour back = 0;
  std::vector<Strip> raised;  // on the bounds
  Rect inner;
  std::vector<Strip> sunken;  // on the inner rectangle, drawn after the fill
  bool filled = false;        // false: the empty bar (no fill, no caption)
  Rect fill;
  Colour fillColour = 0;
  int level = -1;
  std::int32_t fillEdge = 0;  // right edge of the fill
  std::string caption;        // the percentage text, always computed when the span is positive
  bool captionDrawn = false;
  Colour captionColour = kCaptionColour;        // over the background
  Colour captionOnFillColour = kCaptionColour;  // over the fill
  std::int32_t fontHeight = 0;
  std::int32_t captionCentre = 0;  // the caption goes at captionCentre - width / 2
  bool focusDrawn = false;         // a focus rectangle on the inner rectangle
};

DrawPlan PlanDraw(const GaugeState& state, const Rect& bounds, const DrawSettings& settings = {});

// The value the gauge shows: its position as a whole percentage of the range
// ("45%"), the caption it draws; empty when the range spans nothing.
std::string PercentText(const GaugeState& state);

// Left edge of a caption of the given measured width.
inline std::int32_t CaptionLeft(const DrawPlan& p, std::int32_t width) { return p.captionCentre - width / 2; }

}  // namespace zelbo
