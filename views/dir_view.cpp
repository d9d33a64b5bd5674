#include "views/dir_view.h"

#include <utility>

#include "views/dir_scan.h"
#include "views/size_format.h"

namespace vantrel {

bool DirViewModel::SelectPath(std::wstring path) {
  texts_.path = std::move(path);
  return !texts_.path.empty();
}

void DirViewModel::Scan(DirectoryLister& lister, DriveQuery& drives, int unit) {
  const DirScan scan = ScanDirectory(lister, texts_.path);
  texts_.filesHere = std::to_string(scan.filesHere);
  texts_.filesInSubdirs = std::to_string(scan.filesInSubdirs);
  texts_.subDirs = std::to_string(scan.subdirs);
  texts_.totalFiles = std::to_string(scan.TotalFiles());
  m_nActualBytes = scan.actualBytes;
  m_nUsedBytes = scan.usedBytes;
  if (m_nActualBytes == 0) {
    texts_.actualSize = kEmptyText;
    texts_.spaceUsed.clear();
    texts_.percent.clear();
    texts_.bar = 0;
    return;
  }
  std::uint64_t total = 0;
  if (drives.DiskTotal(texts_.path.c_str(), total) && total != 0) {
    DrivePercent percent = FormatDrivePercent(m_nUsedBytes, total);
    texts_.percent = std::move(percent.text);
    texts_.bar = percent.bar;
  } else {
    texts_.percent.clear();
    texts_.bar = 0;
  }
  ChangeUnit(unit);
}

bool DirViewModel::ChangeUnit(int unit) {
  if (m_nActualBytes == 0) {
    texts_.actualSize = kEmptyText;
    return false;
  }
  DirectorySizeTexts sizes = FormatDirectorySizes(m_nActualBytes, m_nUsedBytes, unit);
  texts_.actualSize = std::move(sizes.actual);
  texts_.spaceUsed = std::move(sizes.spaceUsed);
  return true;
}

}  // namespace vantrel
