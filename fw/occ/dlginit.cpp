#include "fw/occ/dlginit.h"

#include "fw/occ/byte_reader.h"

namespace fw::occ {

std::optional<ControlStreams> ParseDlgInit(const void* data, std::size_t size) {
  if (!data) return std::nullopt;
  detail::ByteReader r(static_cast<const std::uint8_t*>(data), size);
  ControlStreams streams;
  for (;;) {
    std::uint16_t id = 0, message = 0;
    std::uint32_t length = 0;
    if (!r.U16(id)) return std::nullopt;  // no terminator
    if (id == 0) return streams;          // bytes after it are resource padding
    if (!r.U16(message) || !r.U32(length)) return std::nullopt;
    if (length > r.left()) return std::nullopt;
    const std::uint8_t* record = r.data() + r.pos();
    r.Skip(length);
    if (message != kLoadFromStream) continue;
    constexpr std::uint32_t kCount = 4;
    if (length < kCount) return std::nullopt;
    streams.emplace(id, std::vector<std::uint8_t>(record + kCount, record + length));
  }
}

}  // namespace fw::occ
