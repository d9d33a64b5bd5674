#include "views/dir_scan.h"

#include <string>
#include <vector>

namespace vantrel {

DirScan ScanDirectory(DirectoryLister& lister, std::wstring_view dir) {
  DirScan scan;
  // One pattern for the whole walk: each level appends a name and "\*.*" at
  // its base and is cut back there for its next directory. Its length is
  // bounded by the file system alone (the lister takes any length).
  std::wstring pattern = SearchPattern(dir);
  struct Level {
    Listing listing;
    std::size_t base;  // where this level's entry names go
  };
  std::vector<Level> levels;
  {
    Listing top(lister, pattern.c_str());
    if (!top) return scan;
    levels.push_back({std::move(top), pattern.size() - 3});
  }
  // The walk keeps its own stack of open listings, so its depth is bounded by
  // the file system and not by the thread's stack.
  for (;;) {
    const Level& level = levels.back();
    const DirEntry& entry = level.listing.Entry();
    if (!entry.IsDotEntry()) {
      if (!entry.IsDirectory()) {
        ++(levels.size() == 1 ? scan.filesHere : scan.filesInSubdirs);
        scan.actualBytes += entry.size;
        scan.usedBytes += AllocatedSize(entry.size);
      } else {
        ++scan.subdirs;
        if (!entry.IsNameSurrogate()) {
          pattern.resize(level.base);
          pattern += entry.name;
          pattern += L"\\*.*";
          Listing sub(lister, pattern.c_str());
          if (sub) {
            levels.push_back({std::move(sub), pattern.size() - 3});
            continue;
          }
        }
      }
    }
    while (!levels.back().listing.Next()) {
      levels.pop_back();
      if (levels.empty()) return scan;
    }
  }
}

}  // namespace vantrel
