// The find-function lister and the directory walk on real folders made here
// (and, for directory links, by link_fixture.sh before the run).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "fw/handle.h"
#include "views/dir_scan.h"
#include "views/find_lister.h"
#include "views/platform_drives.h"
#include "views/wine_test_files.h"

namespace vantrel {
namespace {

constexpr std::uint64_t k5GiB = 5368709120;

class DirScanWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathW(MAX_PATH, temp), 0u);
    root_ = std::wstring(temp) + L"vt_dir_scan_" + std::to_wstring(::GetCurrentProcessId());
    MakeDir(root_);
  }
  void TearDown() override { RemoveTree(root_); }

  std::wstring root_;
  FindFileLister lister_;
};

TEST_F(DirScanWineTest, CountsAndTotalsAgreeWithWhatWasMade) {
  struct Made {
    const wchar_t* path;  // below the test folder; a trailing backslash makes a directory
    std::uint64_t size;
    std::uint64_t allocated;  // the size in whole 4096-byte units
  };
  const Made made[] = {
      {L"zero", 0, 0},
      {L"one", 1, 4096},
      {L"page", 4096, 4096},
      {L"sub\\", 0, 0},
      {L"sub\\two-pages", 8192, 8192},
      {L"sub\\odd", 4097, 8192},
      {L"sub\\empty\\", 0, 0},
      {L"sub\\deeper\\", 0, 0},
      {L"sub\\deeper\\three-pages", 12288, 12288},
      {L"sub\\deeper\\.hidden-looking", 10, 4096},
      {L"sparse\\", 0, 0},
      {L"sparse\\five-gib", k5GiB, k5GiB},
  };
  DirScan expected;
  for (const Made& m : made) {
    const std::wstring path = root_ + L"\\" + m.path;
    if (path.back() == L'\\') {
      MakeDir(path.substr(0, path.size() - 1));
      ++expected.subdirs;
      continue;
    }
    MakeFile(path, m.size);
    ++(std::wstring(m.path).find(L'\\') == std::wstring::npos ? expected.filesHere : expected.filesInSubdirs);
    expected.actualBytes += m.size;
    expected.usedBytes += m.allocated;
  }
  ::SetFileAttributesW((root_ + L"\\sub\\deeper").c_str(), FILE_ATTRIBUTE_HIDDEN);

  const DirScan s = ScanDirectory(lister_, root_);
  EXPECT_EQ(s.filesHere, 3);
  EXPECT_EQ(s.filesHere, expected.filesHere);
  EXPECT_EQ(s.filesInSubdirs, expected.filesInSubdirs);
  EXPECT_EQ(s.subdirs, expected.subdirs);
  EXPECT_EQ(s.actualBytes, expected.actualBytes);
  EXPECT_EQ(s.usedBytes, expected.usedBytes);

  const DirScan empty = ScanDirectory(lister_, root_ + L"\\sub\\empty");
  EXPECT_EQ(empty.TotalFiles() + empty.subdirs, 0);
  const DirScan missing = ScanDirectory(lister_, root_ + L"\\missing");
  EXPECT_EQ(missing.TotalFiles() + missing.subdirs, 0);
}

TEST_F(DirScanWineTest, DirectoryLinksAreCountedButNotEntered) {
  // link_fixture.sh makes t\f (1 byte), t\s\g (2 bytes), a link t\s\up back
  // to t and a link t\away to a folder beside t that holds a file. One loop
  // is enough: entering it would count t's files again on every turn until
  // the file system's depth limit, and more loops would multiply the turns
  // without end.
  const wchar_t* fixture = _wgetenv(L"VT_LINK_FIXTURE");
  ASSERT_NE(fixture, nullptr) << "run through ctest, which makes the link fixture";
  const std::wstring t = std::wstring(fixture) + L"\\t";

  Listing up(lister_, (t + L"\\s\\up").c_str());
  ASSERT_TRUE(up);
  EXPECT_TRUE(up.Entry().IsDirectory());
  EXPECT_TRUE(up.Entry().IsNameSurrogate()) << "the platform does not mark directory links";

  const DirScan s = ScanDirectory(lister_, t);
  EXPECT_EQ(s.filesHere, 1);
  EXPECT_EQ(s.filesInSubdirs, 1);
  EXPECT_EQ(s.subdirs, 3);
  EXPECT_EQ(s.actualBytes, 3u);
  EXPECT_EQ(s.usedBytes, 8192u);

  // Selected itself, a link is walked; the links below it are not.
  const DirScan viaLink = ScanDirectory(lister_, t + L"\\s\\up");
  EXPECT_EQ(viaLink.TotalFiles(), 2);
  EXPECT_EQ(viaLink.subdirs, 3);
}

TEST(PlatformDrivesWineTest, TheSystemDrive) {
  PlatformDrives drives;
  EXPECT_TRUE(drives.LogicalDrives() & (1u << 2));
  EXPECT_EQ(drives.DriveType(L"C:\\"), static_cast<unsigned>(DRIVE_FIXED));
  std::uint32_t serial = 0;
  EXPECT_TRUE(drives.VolumeSerial(L"C:\\", serial));
  std::uint64_t total = 0;
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  EXPECT_TRUE(drives.DiskTotal(temp, total));
  EXPECT_GT(total, 0u);
  EXPECT_EQ(drives.DriveType(L"Q:\\"), static_cast<unsigned>(DRIVE_NO_ROOT_DIR));
  EXPECT_FALSE(drives.VolumeSerial(L"Q:\\", serial));
}

}  // namespace
}  // namespace vantrel
