// The gauge's property stream as a container hands it over: any bytes, any
// length. A load takes the first 18 bytes or fails and changes nothing; what
// it took saves back unchanged but for the version and the flags' spelling.
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "gauge/gauge_props.h"

namespace {

std::int32_t Le32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(p[0] | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                   std::uint32_t{p[3]} << 24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Not the defaults, so that a failed load touching them shows.
  const fw::ole::Extent before{111, 222};
  fw::ole::Extent extent = before;
  zelbo::GaugeState state;
  state.SetReverseScheme(true);
  state.SetPercent(true);
  state.SetPos(42);

  fw::ole::StreamReader reader(data, size);
  const bool ok = zelbo::ExchangeProps(reader, extent, state);
  FUZZ_CHECK(ok == (size >= zelbo::kStreamBytes));
  FUZZ_CHECK(state.Pos() == 42);  // run-time state is never persisted
  if (!ok) {
    FUZZ_CHECK(extent.cx == before.cx && extent.cy == before.cy);
    FUZZ_CHECK(state.ReverseScheme() && state.Percent());
    return 0;
  }
  FUZZ_CHECK(reader.Consumed() == zelbo::kStreamBytes);  // what follows belongs to the container
  FUZZ_CHECK(extent.cx == Le32(data + 4) && extent.cy == Le32(data + 8));
  FUZZ_CHECK(state.ReverseScheme() == (data[16] != 0) && state.Percent() == (data[17] != 0));

  fw::ole::StreamWriter writer;
  FUZZ_CHECK(zelbo::ExchangeProps(writer, extent, state));
  std::vector<std::uint8_t> expected(data, data + zelbo::kStreamBytes);
  const std::uint8_t version[4] = {0x00, 0x00, 0x01, 0x00};
  std::memcpy(expected.data(), version, 4);
  std::memset(expected.data() + 12, 0, 4);  // no stock properties
  expected[16] = data[16] != 0;
  expected[17] = data[17] != 0;
  FUZZ_CHECK(writer.Bytes() == expected);
  return 0;
}
