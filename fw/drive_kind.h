// Drive type codes as GetDriveTypeA reports them, and a small overflow-safe
// percentage helper shared by the drive panel and the low-space watch.
#pragma once

#include <cstdint>
#include <limits>

namespace vantrel {

enum DriveKind : unsigned {
  kDriveUnknown = 0,
  kDriveNoRootDir = 1,
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdrom = 5,
  kDriveRamdisk = 6,
};

// floor(part * 100 / whole), 0 when whole is 0. Exact while part * 100 fits
// in 64 bits (beyond 160 PiB it may fall one point short); never overflows.
inline std::uint64_t PercentOf(std::uint64_t part, std::uint64_t whole) {
  if (whole == 0) return 0;
  constexpr std::uint64_t kLimit = std::numeric_limits<std::uint64_t>::max() / 100;
  if (part <= kLimit) return part * 100 / whole;
  // part * 100 would overflow: split off the whole multiples first.
  const std::uint64_t q = part / whole, r = part % whole;
  const std::uint64_t rPct = r <= kLimit ? r * 100 / whole : r / (whole / 100 + 1);
  return q * 100 + rPct;
}

}  // namespace vantrel
