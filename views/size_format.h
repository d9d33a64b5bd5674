// The directory view's size and share texts, as pure functions of byte counts:
// a size in one of four units rounded down to a whole or half unit, the pair
// of texts for one directory and the drive share with its bar position.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// Positions of the view's unit selector.
enum SizeUnit : int { kUnitBytes = 0, kUnitKilobytes = 1, kUnitMegabytes = 2, kUnitGigabytes = 3 };

inline constexpr char kEmptyText[] = "Empty";

// Positions outside 0..3 are taken as the nearest end.
std::string FormatSizeInUnit(std::uint64_t bytes, int unit);

struct DirectorySizeTexts {
  std::string actual;
  // Blank beside "Empty": a directory without bytes uses no space, and its
  // share of the drive is blanked in the same step.
  std::string spaceUsed;
};
DirectorySizeTexts FormatDirectorySizes(std::uint64_t actualBytes, std::uint64_t usedBytes, int unit);

struct DrivePercent {
  std::string text;  // "<1%" for 0, otherwise the digits and "%"; no upper clamp
  int bar = 0;       // the same figure for a 0..100 bar, held within int
};
// driveTotalBytes must be greater than 0.
DrivePercent FormatDrivePercent(std::uint64_t usedBytes, std::uint64_t driveTotalBytes);

}  // namespace vantrel
