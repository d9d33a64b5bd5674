#include "gauge/draw_plan.h"

#include <cmath>

namespace zelbo {

std::vector<Strip> Bevel(const Rect& r, Colour topLeft, Colour bottomRight) {
  return {
      {{r.left, r.top, r.right - 1, r.top + 1}, topLeft},
      {{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft},
      {{r.right - 1, r.top, r.right, r.bottom}, bottomRight},
      {{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight},
  };
}

namespace {

// The level reached by a position relative to the lower bound. The two schemes
// differ at the quarter points themselves.
int Level(std::int64_t rel, std::int64_t span, bool reverse) {
  const std::int64_t q1 = span / 4, q2 = span / 2, q3 = span * 3 / 4;
  if (!reverse) return rel <= q1 ? 0 : rel <= q2 ? 1 : rel <= q3 ? 2 : 3;
  return rel < q1 ? 3 : rel < q2 ? 2 : rel < q3 ? 1 : 0;
}

}  // namespace

std::string PercentText(const GaugeState& s) {
  // Measured from the lower bound (the same as from 0 for the usual range).
  const std::int64_t span = std::int64_t{s.Max()} - s.Min();
  if (span <= 0) return {};
  return std::to_string((std::int64_t{s.Pos()} - s.Min()) * 100 / span) + "%";
}

DrawPlan PlanDraw(const GaugeState& s, const Rect& b, const DrawSettings& settings) {
  // In high contrast every colour is the system's: a frame in the text
  // colour, the fill in the highlight colour, the caption in the text colour
  // that goes with what lies under it. The geometry stays the same.
  const bool hc = settings.highContrast;
  const SystemColours& sys = settings.system;
  const Colour light = hc ? sys.windowText : kBevelLight;
  const Colour dark = hc ? sys.windowText : kBevelDark;
  DrawPlan p;
  const std::int32_t w = s.BorderWidth();
  p.bounds = b;
  p.back = hc ? sys.window : s.Back();
  p.raised = Bevel(b, light, dark);
  p.inner = {b.left + w, b.top + w, b.right - w, b.bottom - w};
  const Rect& r = p.inner;
  p.sunken = Bevel(r, dark, light);
  p.fontHeight = r.bottom - r.top;
  p.captionCentre = r.left + (r.right - r.left) / 2;
  p.captionColour = hc ? sys.windowText : kCaptionColour;
  p.captionOnFillColour = hc ? sys.highlightText : kCaptionColour;
  p.focusDrawn = settings.focused && !r.Empty();

  // A span of 0 or below has nothing to measure: the bar stays empty.
  const std::int64_t span = std::int64_t{s.Max()} - s.Min();
  if (span <= 0) return p;
  const std::int64_t rel = std::int64_t{s.Pos()} - s.Min();
  p.caption = PercentText(s);

  double ratio = static_cast<double>(r.right - r.left) / static_cast<double>(span);
  if (ratio > 0 && ratio < 1) ratio = 1.0;
  // Clamp before truncating: a far-off position must not overflow the edge.
  double edge = static_cast<double>(rel) * ratio + r.left;
  if (edge >= r.right) edge = r.right;
  if (edge < r.left - 1.0) edge = r.left - 1.0;
  p.fillEdge = static_cast<std::int32_t>(std::trunc(edge));
  if (p.fillEdge <= r.left) return p;

  p.filled = true;
  p.level = Level(rel, span, s.ReverseScheme());
  p.fillColour = hc ? sys.highlight : s.LevelColour(p.level);
  p.fill = {r.left, r.top, p.fillEdge < r.right ? p.fillEdge : r.right, r.bottom};
  p.captionDrawn = s.Percent();
  return p;
}

}  // namespace zelbo
