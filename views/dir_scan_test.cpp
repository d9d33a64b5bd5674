#include "views/dir_scan.h"

#include <gtest/gtest.h>

#include "fw/drive_kind.h"
#include "views/fake_file_system.h"

namespace vantrel {
namespace {

using fakes::FakeFileSystem;

constexpr std::uint64_t k5GiB = 5368709120;

void ExpectScan(const DirScan& s, std::int64_t here, std::int64_t below, std::int64_t subdirs, std::uint64_t actual,
                std::uint64_t used) {
  EXPECT_EQ(s.filesHere, here);
  EXPECT_EQ(s.filesInSubdirs, below);
  EXPECT_EQ(s.TotalFiles(), here + below);
  EXPECT_EQ(s.subdirs, subdirs);
  EXPECT_EQ(s.actualBytes, actual);
  EXPECT_EQ(s.usedBytes, used);
}

TEST(DirScan, AllocatedSize) {
  const std::pair<std::uint64_t, std::uint64_t> cases[] = {
      {0, 0}, {1, 4096}, {4095, 4096}, {4096, 4096}, {4097, 8192}, {k5GiB, k5GiB}, {k5GiB + 1, k5GiB + 4096}};
  for (const auto& [size, allocated] : cases) EXPECT_EQ(AllocatedSize(size), allocated) << size;
}

TEST(DirScan, ExtendedPaths) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\", L"\\\\?\\C:\\"},
      {L"C:\\a.\\*.*", L"\\\\?\\C:\\a.\\*.*"},
      {L"\\\\server\\share\\d", L"\\\\?\\UNC\\server\\share\\d"},
      {L"\\\\?\\C:\\d", L"\\\\?\\C:\\d"},
      {L"relative\\d", L"relative\\d"},
  };
  for (const auto& [path, extended] : cases) EXPECT_EQ(ExtendedPath(path), extended);
}

class DirScanTest : public ::testing::Test {
 protected:
  DirScanTest() { fs.AddDrive('C', kDriveFixed); }
  void TearDown() override { EXPECT_EQ(fs.OpenListings(), 0) << "a listing was left open"; }
  FakeFileSystem fs;
};

TEST_F(DirScanTest, CountsAndTotalsBelowADirectory) {
  fs.AddFile(L"C:\\root.txt", 1);
  fs.AddDir(L"C:\\top");
  fs.AddFile(L"C:\\top\\empty", 0);
  fs.AddFile(L"C:\\top\\page", 4096);
  fs.AddDir(L"C:\\top\\a");
  fs.AddFile(L"C:\\top\\a\\odd", 4097);
  fs.AddDir(L"C:\\top\\a\\deep");
  fs.AddFile(L"C:\\top\\a\\deep\\huge", k5GiB);
  fs.AddDir(L"C:\\top\\a\\deep\\void");
  fs.AddHiddenDir(L"C:\\top\\b");
  fs.AddFile(L"C:\\top\\b\\one", 1);
  fs.AddFile(L"C:\\top.txt", 100);

  ExpectScan(ScanDirectory(fs, L"C:\\top"), 2, 3, 4, 4096 + 4097 + k5GiB + 1, 4096 + 8192 + k5GiB + 4096);
  fs.log.clear();
  ExpectScan(ScanDirectory(fs, L"C:\\"), 2, 5, 5, 101 + 4096 + 4097 + k5GiB + 1,
             4096 + 4096 + 4096 + 8192 + k5GiB + 4096);
  ExpectScan(ScanDirectory(fs, L"C:\\top\\a\\deep\\void"), 0, 0, 0, 0, 0);
  EXPECT_EQ(fs.log.front(), L"C:\\*.*") << "a root's pattern has one backslash";
}

TEST_F(DirScanTest, DirectoriesThatCannotBeListed) {
  fs.AddDir(L"C:\\top");
  fs.AddFile(L"C:\\top\\f", 10);
  fs.AddDir(L"C:\\top\\denied");
  fs.AddFile(L"C:\\top\\denied\\hidden-from-us", 10);
  fs.Deny(L"C:\\top\\denied");
  ExpectScan(ScanDirectory(fs, L"C:\\top"), 1, 0, 1, 10, 4096);  // counted, not walked
  ExpectScan(ScanDirectory(fs, L"C:\\top\\denied"), 0, 0, 0, 0, 0);
  ExpectScan(ScanDirectory(fs, L"C:\\missing"), 0, 0, 0, 0, 0);
  fs.AddDrive('E', kDriveCdrom);  // no disc
  ExpectScan(ScanDirectory(fs, L"E:\\"), 0, 0, 0, 0, 0);
}

TEST_F(DirScanTest, LinksAreCountedButNotEntered) {
  // Links back up on every level: entering them would walk without end.
  fs.AddDir(L"C:\\t");
  fs.AddFile(L"C:\\t\\f", 1);
  fs.AddDir(L"C:\\t\\s");
  fs.AddFile(L"C:\\t\\s\\g", 2);
  fs.AddLink(L"C:\\t\\s\\up", L"C:\\t");
  fs.AddLink(L"C:\\t\\s\\self", L"C:\\t\\s", FakeFileSystem::kTagJunction);
  fs.AddLink(L"C:\\t\\root", L"C:\\", 0);  // no tag read: taken for a link
  fs.pathLimit = 40;                       // entering the links would end here, with a wrong count
  ExpectScan(ScanDirectory(fs, L"C:\\t"), 1, 1, 4, 3, 8192);
  // A link that is itself the selection is walked; the links inside it are not.
  ExpectScan(ScanDirectory(fs, L"C:\\t\\s\\up"), 1, 1, 4, 3, 8192);
}

TEST_F(DirScanTest, PlaceholdersAndOtherReparsePointsCountLikeTheirKind) {
  // A folder synced from the cloud, its files not on the disk: its listing
  // gives every file at its full size.
  fs.AddReparsePoint(L"C:\\cloud", true, FakeFileSystem::kTagCloud);
  fs.AddReparsePoint(L"C:\\cloud\\remote.doc", false, FakeFileSystem::kTagCloud, 5000);
  fs.AddReparsePoint(L"C:\\cloud\\deduplicated", false, 0x80000013, 4096);
  fs.AddDir(L"C:\\cloud\\sub");
  fs.AddFile(L"C:\\cloud\\sub\\local", 1);
  ExpectScan(ScanDirectory(fs, L"C:\\"), 0, 3, 2, 9097, 8192 + 4096 + 4096);
}

TEST_F(DirScanTest, TreesDeeperThanThePathLimit) {
  // A chain of 200 levels, each with one 1-byte file; the listing refuses
  // patterns of 60 characters or more.
  std::wstring dir = L"C:\\chain";
  fs.AddDir(dir);
  for (int i = 0; i < 200; ++i) {
    fs.AddFile(dir + L"\\f", 1);
    dir += L"\\dir";
    fs.AddDir(dir);
  }
  fs.pathLimit = 60;
  // "C:\chain" + n * "\dir" + "\*.*" is listable for n <= 11: 12 levels of
  // files, and the subdirectory entry of every listed level.
  ExpectScan(ScanDirectory(fs, L"C:\\chain"), 1, 11, 12, 12, 12 * 4096);
}

}  // namespace
}  // namespace vantrel
