// The directory view's walk: counts the files and subdirectories below a
// directory and totals their actual size and the space they take in whole
// allocation units.
#pragma once

#include <cstdint>
#include <string_view>

#include "views/dir_lister.h"

namespace vantrel {

// The space a file takes is reckoned in units of this many bytes; the drive's
// own cluster size is not asked, and sparse or compressed files count in full.
inline constexpr std::uint64_t kAllocationUnit = 4096;

// A size rounded up to whole units; a multiple (0 included) stays as it is.
constexpr std::uint64_t AllocatedSize(std::uint64_t size, std::uint64_t unit = kAllocationUnit) {
  return size % unit == 0 ? size : size + (unit - size % unit);
}

struct DirScan {
  std::int64_t filesHere = 0;       // directly in the directory
  std::int64_t filesInSubdirs = 0;  // in its subdirectories at any depth
  std::int64_t subdirs = 0;         // at any depth
  std::uint64_t actualBytes = 0;
  std::uint64_t usedBytes = 0;
  std::int64_t TotalFiles() const { return filesHere + filesInSubdirs; }
};

// Walks `dir` and everything below it, depth-first in listing order. A
// subdirectory is counted before it is walked, so one that cannot be listed
// still counts. Directory links, junctions and mount points count as
// subdirectories but are not entered: they may lead back up the tree or onto
// another volume. Every other reparse point is an ordinary directory or file
// here: the walk reads listings only and opens no file, so a placeholder of a
// file kept in the cloud counts at its listed size and is not downloaded. A
// directory that cannot be listed gives all zeros.
DirScan ScanDirectory(DirectoryLister& lister, std::wstring_view dir);

}  // namespace vantrel
