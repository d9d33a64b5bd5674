// The directory view's size and share texts for any byte counts and any unit
// position. Each text reads back to the figure it stands for: whole units
// rounded down, ".5" exactly when half a unit or more is left over, and the
// drive share as the exact floor of used * 100 / total.
#include <climits>
#include <string>

#include "fuzz/fuzz_support.h"
#include "views/size_format.h"

namespace {

using vantrel::FormatSizeInUnit;

// Digits at the front of `text` as a number; `rest` receives what follows.
unsigned __int128 LeadingNumber(const std::string& text, std::string& rest) {
  std::size_t i = 0;
  unsigned __int128 n = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') n = n * 10 + static_cast<unsigned>(text[i++] - '0');
  FUZZ_CHECK(i > 0 && (i == 1 || text[0] != '0'));  // digits, without leading zeros
  rest = text.substr(i);
  return n;
}

void CheckSize(std::uint64_t bytes, int unit) {
  static const char* const kUnitText[] = {" Byte(s)", " KB", " MB", " GB"};
  const int u = unit < 0 ? 0 : unit > 3 ? 3 : unit;
  const std::uint64_t divisor = std::uint64_t{1} << (10 * u);
  const std::string text = FormatSizeInUnit(bytes, unit);
  if (u > 0 && bytes < divisor) {
    FUZZ_CHECK(text == std::string(" <1") + kUnitText[u]);
    return;
  }
  std::string rest;
  FUZZ_CHECK(LeadingNumber(text, rest) == bytes / divisor);
  const bool half = u > 0 && bytes % divisor >= divisor / 2;
  FUZZ_CHECK(rest == (half ? ".5" : "") + std::string(kUnitText[u]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input in(data, size);
  const std::uint64_t actual = in.U64(), used = in.U64(), total = in.U64();
  const int unit = static_cast<int>(in.U32());

  CheckSize(actual, unit);
  const vantrel::DirectorySizeTexts dir = vantrel::FormatDirectorySizes(actual, used, unit);
  if (actual == 0) {
    FUZZ_CHECK(dir.actual == vantrel::kEmptyText && dir.spaceUsed.empty());
  } else {
    FUZZ_CHECK(dir.actual == FormatSizeInUnit(actual, unit) && dir.spaceUsed == FormatSizeInUnit(used, unit));
  }

  if (total == 0) return 0;  // the view never asks for the share of an empty drive
  const vantrel::DrivePercent share = vantrel::FormatDrivePercent(used, total);
  const unsigned __int128 exact = static_cast<unsigned __int128>(used) * 100 / total;
  if (exact == 0) {
    FUZZ_CHECK(share.text == "<1%");
  } else {
    std::string rest;
    FUZZ_CHECK(LeadingNumber(share.text, rest) == exact && rest == "%");
  }
  // The bar shows the same figure while it fits in an int, and saturates beyond.
  FUZZ_CHECK(share.bar >= 0);
  FUZZ_CHECK(static_cast<unsigned __int128>(share.bar) == exact ||
             (share.bar == INT_MAX && exact >= INT_MAX / 100 * 100));
  return 0;
}
