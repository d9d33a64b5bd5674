// A dialog's initialisation resource as the resource section holds it: any
// bytes. What the parse keeps lies inside the image, and written back as
// records it parses to itself.
#include <vector>

#include "fuzz/fuzz_support.h"
#include "fw/occ/dlginit.h"

namespace {

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<fw::occ::ControlStreams> streams = fw::occ::ParseDlgInit(data, size);
  if (!streams) return 0;

  // Each stream came from a record of its own: id, message, length, count, data.
  std::size_t needed = 2;  // the terminator
  for (const auto& [id, stream] : *streams) {
    FUZZ_CHECK(id != 0);  // 0 ends the records
    needed += 12 + stream.size();
  }
  FUZZ_CHECK(needed <= size);

  std::vector<std::uint8_t> image;
  for (const auto& [id, stream] : *streams) {
    const std::uint32_t length = static_cast<std::uint32_t>(stream.size() + 4);
    Put16(image, id);
    Put16(image, fw::occ::kLoadFromStream);
    Put16(image, length);
    Put16(image, length >> 16);
    image.insert(image.end(), 4, 0);
    image.insert(image.end(), stream.begin(), stream.end());
  }
  Put16(image, 0);
  FUZZ_CHECK(fw::occ::ParseDlgInit(image.data(), image.size()) == streams);
  return 0;
}
