#include "gauge/gauge_state.h"

namespace zelbo {
namespace {

constexpr Effect kNothing{};
constexpr Effect kRedraw{true, false};
constexpr Effect kChanged{true, true};

// The position may be pushed far by repeated offsets; it wraps like the
// 32-bit register it is rather than overflowing.
std::int32_t Wrap(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

}  // namespace

Effect GaugeState::SetReverseScheme(bool on) {
  reverse_ = on;
  return kChanged;
}

Effect GaugeState::SetPercent(bool on) {
  percent_ = on;
  return kChanged;
}

Effect GaugeState::SetPos(std::int16_t pos) {
  if (pos < min_ || pos > max_) return kNothing;
  pos_ = pos;
  return kRedraw;
}

Effect GaugeState::SetRange(std::int16_t min, std::int16_t max) {
  if (min > max) return kNothing;
  min_ = min < 0 ? 0 : min;
  max_ = max;
  return kNothing;
}

Effect GaugeState::StepIt() {
  std::int64_t next = std::int64_t{pos_} + step_;
  if (next > max_)
    next = min_;
  else if (next < min_)
    next = max_;
  pos_ = static_cast<std::int32_t>(next);
  return kRedraw;
}

Effect GaugeState::SetStep(std::int16_t step) {
  if (step < -std::int64_t{max_} || step > max_) return kNothing;
  step_ = step;
  return kNothing;
}

Effect GaugeState::SetEventColor(std::int16_t type, Colour colour) {
  if (type >= 0 && type <= 3)
    levels_[type] = colour;
  else if (type == kBackColourIndex)
    back_ = colour;
  return kRedraw;
}

Effect GaugeState::OffsetPos(std::int16_t offset) {
  std::int64_t next = std::int64_t{pos_} + offset;
  if (next > max_) {
    pos_ = Wrap(next - max_);
    return kRedraw;
  }
  pos_ = Wrap(next);
  return kNothing;
}

std::int16_t GaugeState::GetPos() const {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(pos_)));
}

Effect GaugeState::SetBorderWidth(std::int16_t width) {
  if (width < 1 || width > 100) return kNothing;
  border_ = width;
  return kRedraw;
}

}  // namespace zelbo
