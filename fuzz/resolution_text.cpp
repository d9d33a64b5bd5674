// The display resolution as the registry holds it ("800,600"), any text. The
// window's text keeps every character but the first comma, in order, around
// the "  x" between width and height, and fills 15 columns at least.
#include <algorithm>
#include <string>

#include "fuzz/fuzz_support.h"
#include "probes/extended_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string registry(reinterpret_cast<const char*>(data), size);
  const std::string text = vantrel::ResolutionText(registry);

  const std::size_t comma = registry.find(',');
  const std::string width = registry.substr(0, comma);
  const std::string height = comma == std::string::npos ? "" : registry.substr(comma + 1);
  const std::string laidOut = width + "  x" + (comma == std::string::npos ? "" : "  " + height);
  FUZZ_CHECK(text.size() == std::max<std::size_t>(15, laidOut.size()));
  FUZZ_CHECK(text.compare(0, laidOut.size(), laidOut) == 0);
  FUZZ_CHECK(text.find_first_not_of(' ', laidOut.size()) == std::string::npos);

  vantrel::DisplayFacts facts;
  facts.resolution = registry;
  FUZZ_CHECK(vantrel::DescribeExtended(std::nullopt, std::nullopt, facts).resolution == text);
  return 0;
}
