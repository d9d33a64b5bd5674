#include "fw/ole/prop_exchange.h"

namespace fw::ole {

bool StreamWriter::Long(const char*, std::int32_t& value, std::int32_t) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
  return true;
}

bool StreamWriter::Bool(const char*, bool& value, bool) {
  bytes_.push_back(value ? 1 : 0);
  return true;
}

bool StreamReader::Long(const char*, std::int32_t& value, std::int32_t) {
  if (!Ok() || size_ - pos_ < 4) return Fail();
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= std::uint32_t{data_[pos_ + i]} << (8 * i);
  pos_ += 4;
  value = static_cast<std::int32_t>(u);
  return true;
}

bool StreamReader::Bool(const char*, bool& value, bool) {
  if (!Ok() || size_ - pos_ < 1) return Fail();
  value = data_[pos_++] != 0;
  return true;
}

bool ExchangeVersion(PropExchange& px, std::int32_t& version, std::int32_t current) {
  if (!px.Loading()) version = current;
  return px.Long("_Version", version, current);
}

bool ExchangeBase(PropExchange& px, Extent& extent, const Extent& fallback) {
  // Loading writes into copies so a failed exchange leaves the extent alone.
  Extent e = extent;
  std::int32_t stock = 0;
  const bool ok = px.Long("_ExtentX", e.cx, fallback.cx) && px.Long("_ExtentY", e.cy, fallback.cy) &&
                  px.Long("_StockProps", stock, 0);
  if (ok) extent = e;
  return ok;
}

}  // namespace fw::ole
