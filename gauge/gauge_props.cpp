#include "gauge/gauge_props.h"

namespace zelbo {

bool ExchangeProps(fw::ole::PropExchange& px, fw::ole::Extent& extent, GaugeState& state) {
  std::int32_t version = kPropVersion;
  fw::ole::Extent e = extent;
  bool reverse = state.ReverseScheme();
  bool percent = state.Percent();
  const bool ok = fw::ole::ExchangeVersion(px, version, kPropVersion) && fw::ole::ExchangeBase(px, e, extent) &&
                  px.Bool("ReverseScheme", reverse, false) && px.Bool("Percent", percent, false);
  if (ok && px.Loading()) {
    extent = e;
    state.SetReverseScheme(reverse);
    state.SetPercent(percent);
  }
  return ok;
}

std::vector<std::uint8_t> EncodeStream(const GaugeState& state, const fw::ole::Extent& extent) {
  fw::ole::StreamWriter w;
  fw::ole::Extent e = extent;
  GaugeState s = state;
  ExchangeProps(w, e, s);
  return w.Bytes();
}

bool DecodeStream(const std::uint8_t* data, std::size_t size, fw::ole::Extent& extent, GaugeState& state) {
  fw::ole::StreamReader r(data, size);
  if (ExchangeProps(r, extent, state)) return true;
  state.ResetProperties();
  return false;
}

}  // namespace zelbo
