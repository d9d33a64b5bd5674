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

}  // namespace zelbo
