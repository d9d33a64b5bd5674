// The gauge's persisted properties: one exchange routine for stream, property
// bag and reset. The control base runs it for every kind of persistence.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fw/ole/prop_exchange.h"
#include "gauge/gauge_state.h"

namespace zelbo {

inline constexpr std::int32_t kPropVersion = 0x00010000;  // major 1, minor 0
inline constexpr std::size_t kStreamBytes = 18;

// Version, extent and stock mask, then ReverseScheme and Percent. Loading only
// touches the state when every value arrived.
bool ExchangeProps(fw::ole::PropExchange& px, fw::ole::Extent& extent, GaugeState& state);

}  // namespace zelbo
