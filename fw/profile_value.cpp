#include "fw/profile_value.h"

#include <cstring>

namespace fw {

std::optional<std::uint32_t> ProfileIntValue(std::uint32_t type, const void* data, std::size_t size) {
  if (type != kRegDword || size != 4 || !data) return std::nullopt;
  const auto* b = static_cast<const std::uint8_t*>(data);
  return b[0] | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
}

std::optional<std::string> ProfileStringValue(std::uint32_t type, const void* data, std::size_t size) {
  if (type != kRegSz && type != kRegExpandSz) return std::nullopt;
  if (!data || size == 0) return std::string();
  const auto* text = static_cast<const char*>(data);
  const void* zero = std::memchr(text, 0, size);
  return std::string(text, zero ? static_cast<const char*>(zero) - text : size);
}

}  // namespace fw
