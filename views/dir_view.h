// What the directory view shows for a selection: the walk's counts, the size
// texts in the selector's unit and the drive share, with the rules for an
// empty directory, a failed drive query and a drive of no size. Nothing of
// one selection stays beside another's figures.
#pragma once

#include <cstdint>
#include <string>

#include "views/dir_lister.h"

namespace vantrel {

struct DirViewTexts {
  std::wstring path;
  std::string filesHere;
  std::string filesInSubdirs;
  std::string totalFiles;
  std::string subDirs;
  std::string actualSize;
  std::string spaceUsed;
  std::string percent;
  int bar = 0;  // position of the 0..100 bar
};

class DirViewModel {
 public:
  // Takes the new selection's path; false for no selection (an empty path),
  // which leaves everything else as it is.
  bool SelectPath(std::wstring path);
  // Walks the selected directory and sets every text. A drive whose size
  // cannot be read, or reads 0, gives no share: the percentage is empty and
  // the bar at 0.
  void Scan(DirectoryLister& lister, DriveQuery& drives, int unit);
  // The unit selector moved: reformats the last totals without a walk.
  // Returns whether to push the texts.
  bool ChangeUnit(int unit);

  const DirViewTexts& Texts() const { return texts_; }

 private:
  DirViewTexts texts_;
  std::uint64_t m_nActualBytes = 0;
  std::uint64_t m_nUsedBytes = 0;
};

}  // namespace vantrel
