// The gauge's run-time state and the semantics of every automation member.
// Each mutator reports whether the control must repaint at once and whether
// it became modified; the control shell acts on that report.
#pragma once

#include <cstdint>

namespace zelbo {

using Colour = std::uint32_t;  // 0x00BBGGRR

struct Effect {
  bool redraw = false;
  bool modified = false;
  bool operator==(const Effect& o) const { return redraw == o.redraw && modified == o.modified; }
};

inline constexpr Colour kDefaultLevelColours[4] = {0x000000C8, 0x0032E1E1, 0x0032FF32, 0x00009600};
inline constexpr Colour kDefaultBack = 0x00A0A0A0;
inline constexpr int kBackColourIndex = 10;  // SetEventColor's index of the background

class GaugeState {
 public:
  // Persisted properties.
  bool ReverseScheme() const { return reverse_; }
  bool Percent() const { return percent_; }
  Effect SetReverseScheme(bool on);
  Effect SetPercent(bool on);

  // Automation methods. Arguments outside their accepted sets are ignored.
  Effect SetPos(std::int16_t pos);
  Effect SetRange(std::int16_t min, std::int16_t max);
  Effect StepIt();
  Effect SetStep(std::int16_t step);
  Effect SetEventColor(std::int16_t type, Colour colour);
  Effect OffsetPos(std::int16_t offset);
  std::int16_t GetPos() const;
  Effect SetBorderWidth(std::int16_t width);

  std::int32_t Min() const { return min_; }
  std::int32_t Max() const { return max_; }
  std::int32_t Pos() const { return pos_; }
  std::int32_t Step() const { return step_; }
  std::int32_t BorderWidth() const { return border_; }
  Colour LevelColour(int level) const { return levels_[level]; }
  Colour Back() const { return back_; }

 private:
  std::int32_t min_ = 0;
  std::int32_t max_ = 100;
  std::int32_t pos_ = 0;
  std::int32_t step_ = 1;
  std::int32_t border_ = 2;
  Colour levels_[4] = {kDefaultLevelColours[0], kDefaultLevelColours[1], kDefaultLevelColours[2],
                       kDefaultLevelColours[3]};
  Colour back_ = kDefaultBack;
  bool reverse_ = false;
  bool percent_ = false;
};

}  // namespace zelbo
