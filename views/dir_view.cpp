#include "views/dir_view.h"

#include <utility>

#include "views/dir_scan.h"
#include "views/size_format.h"

namespace vantrel {

bool DirViewModel::SelectPath(std::string path) {
  texts_.m_strPath = std::move(path);
  return !texts_.m_strPath.empty();
}

bool DirViewModel::Scan(DirectoryLister& lister, DriveQuery& drives, int unit) {
  const DirScan scan = ScanDirectory(lister, texts_.m_strPath);
  texts_.m_strFilesHere = std::to_string(scan.filesHere);
  texts_.m_strFilesInSubdirs = std::to_string(scan.filesInSubdirs);
  texts_.m_strSubDirs = std::to_string(scan.subdirs);
  texts_.m_strTotalFiles = std::to_string(scan.TotalFiles());
  m_nActualBytes = scan.actualBytes;
  m_nUsedBytes = scan.usedBytes;
  if (m_nActualBytes == 0) {
    texts_.m_strActualSize = kEmptyText;
    texts_.m_strSpaceUsed.clear();
    texts_.m_strPercent.clear();
    texts_.m_nBar = 0;
    return true;
  }
  std::uint64_t total = 0;
  if (drives.DiskTotal(texts_.m_strPath.c_str(), total)) {
    if (total == 0) return false;
    DrivePercent percent = FormatDrivePercent(m_nUsedBytes, total);
    texts_.m_strPercent = std::move(percent.text);
    texts_.m_nBar = percent.bar;
  }
  return ChangeUnit(unit);
}

bool DirViewModel::ChangeUnit(int unit) {
  if (m_nActualBytes == 0) {
    texts_.m_strActualSize = kEmptyText;
    return false;
  }
  DirectorySizeTexts sizes = FormatDirectorySizes(m_nActualBytes, m_nUsedBytes, unit);
  texts_.m_strActualSize = std::move(sizes.actual);
  texts_.m_strSpaceUsed = std::move(sizes.spaceUsed);
  return true;
}

}  // namespace vantrel
