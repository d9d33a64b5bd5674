#include "views/size_format.h"

#include <algorithm>
#include <climits>

namespace vantrel {

namespace {

struct UnitRow {
  std::uint64_t divisor;
  const char* unitText;
  const char* belowOneText;
};

constexpr UnitRow kUnits[] = {
    {1, " Byte(s)", nullptr},
    {1024, " KB", " <1 KB"},
    {1048576, " MB", " <1 MB"},
    {1073741824, " GB", " <1 GB"},
};

// floor(x * 10 / d) and x * 10 mod d for x < d, without forming x * 10.
std::uint64_t TenthsOf(std::uint64_t& x, std::uint64_t d) {
  std::uint64_t digit = 0, y = 0;
  for (int i = 0; i < 10; ++i) {
    if (y >= d - x) {
      y -= d - x;
      ++digit;
    } else {
      y += x;
    }
  }
  x = y;
  return digit;
}

}  // namespace

std::string FormatSizeInUnit(std::uint64_t bytes, int unit) {
  const UnitRow& row = kUnits[std::clamp(unit, 0, 3)];
  const std::uint64_t q = bytes / row.divisor, r = bytes % row.divisor;
  if (row.divisor == 1) return std::to_string(q) + row.unitText;
  if (q == 0) return row.belowOneText;
  // Half a unit or more shows as ".5"; nothing is ever rounded up.
  return std::to_string(q) + (r >= row.divisor / 2 ? ".5" : "") + row.unitText;
}

DirectorySizeTexts FormatDirectorySizes(std::uint64_t actualBytes, std::uint64_t usedBytes, int unit) {
  if (actualBytes == 0) return {kEmptyText, ""};
  return {FormatSizeInUnit(actualBytes, unit), FormatSizeInUnit(usedBytes, unit)};
}

DrivePercent FormatDrivePercent(std::uint64_t usedBytes, std::uint64_t driveTotalBytes) {
  // p = q * 100 + two more digits of the remainder, exact for any 64-bit
  // figures: the digits are written out even where p itself would overflow.
  const std::uint64_t q = usedBytes / driveTotalBytes;
  std::uint64_t r = usedBytes % driveTotalBytes;
  const std::uint64_t tens = TenthsOf(r, driveTotalBytes);
  const std::uint64_t pFraction = tens * 10 + TenthsOf(r, driveTotalBytes);
  constexpr std::uint64_t kBarLimit = INT_MAX / 100;
  const int bar = q >= kBarLimit ? INT_MAX : static_cast<int>(q * 100 + pFraction);
  if (q == 0) return {pFraction == 0 ? "<1%" : std::to_string(pFraction) + "%", bar};
  return {std::to_string(q) + static_cast<char>('0' + tens) + static_cast<char>('0' + pFraction % 10) + "%", bar};
}

}  // namespace vantrel
