#include "views/dir_scan.h"

#include <gtest/gtest.h>

#include "mainwnd/drive_kind.h"
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

class DirScanTest : public ::testing::Test {
 protected:
  DirScanTest() { fs.AddDrive('C', kDriveFixed); }
  void TearDown() override { EXPECT_EQ(fs.OpenListings(), 0) << "a listing was left open"; }
  FakeFileSystem fs;
};

TEST_F(DirScanTest, CountsAndTotalsBelowADirectory) {
  fs.AddFile("C:\\root.txt", 1);
  fs.AddDir("C:\\top");
  fs.AddFile("C:\\top\\empty", 0);
  fs.AddFile("C:\\top\\page", 4096);
  fs.AddDir("C:\\top\\a");
  fs.AddFile("C:\\top\\a\\odd", 4097);
  fs.AddDir("C:\\top\\a\\deep");
  fs.AddFile("C:\\top\\a\\deep\\huge", k5GiB);
  fs.AddDir("C:\\top\\a\\deep\\void");
  fs.AddHiddenDir("C:\\top\\b");
  fs.AddFile("C:\\top\\b\\one", 1);
  fs.AddFile("C:\\top.txt", 100);

  ExpectScan(ScanDirectory(fs, "C:\\top"), 2, 3, 4, 4096 + 4097 + k5GiB + 1, 4096 + 8192 + k5GiB + 4096);
  fs.log.clear();
  ExpectScan(ScanDirectory(fs, "C:\\"), 2, 5, 5, 101 + 4096 + 4097 + k5GiB + 1,
             4096 + 4096 + 4096 + 8192 + k5GiB + 4096);
  ExpectScan(ScanDirectory(fs, "C:\\top\\a\\deep\\void"), 0, 0, 0, 0, 0);
  EXPECT_EQ(fs.log.front(), "C:\\*.*") << "a root's pattern has one backslash";
}

TEST_F(DirScanTest, DirectoriesThatCannotBeListed) {
  fs.AddDir("C:\\top");
  fs.AddFile("C:\\top\\f", 10);
  fs.AddDir("C:\\top\\denied");
  fs.AddFile("C:\\top\\denied\\hidden-from-us", 10);
  fs.Deny("C:\\top\\denied");
  ExpectScan(ScanDirectory(fs, "C:\\top"), 1, 0, 1, 10, 4096);  // counted, not walked
  ExpectScan(ScanDirectory(fs, "C:\\top\\denied"), 0, 0, 0, 0, 0);
  ExpectScan(ScanDirectory(fs, "C:\\missing"), 0, 0, 0, 0, 0);
  fs.AddDrive('E', kDriveCdrom);  // no disc
  ExpectScan(ScanDirectory(fs, "E:\\"), 0, 0, 0, 0, 0);
}

TEST_F(DirScanTest, LinksAreCountedButNotEntered) {
  // Two links back up on every level: entering them would walk without end.
  fs.AddDir("C:\\t");
  fs.AddFile("C:\\t\\f", 1);
  fs.AddDir("C:\\t\\s");
  fs.AddFile("C:\\t\\s\\g", 2);
  fs.AddLink("C:\\t\\s\\up", "C:\\t");
  fs.AddLink("C:\\t\\s\\self", "C:\\t\\s");
  fs.AddLink("C:\\t\\root", "C:\\");
  fs.pathLimit = 40;  // entering the links would end here, with a wrong count
  ExpectScan(ScanDirectory(fs, "C:\\t"), 1, 1, 4, 3, 8192);
  // A link that is itself the selection is walked; the links inside it are not.
  ExpectScan(ScanDirectory(fs, "C:\\t\\s\\up"), 1, 1, 4, 3, 8192);
}

TEST_F(DirScanTest, TreesDeeperThanThePathLimit) {
  // A chain of 200 levels, each with one 1-byte file; the listing refuses
  // patterns of 60 characters or more.
  std::string dir = "C:\\chain";
  fs.AddDir(dir);
  for (int i = 0; i < 200; ++i) {
    fs.AddFile(dir + "\\f", 1);
    dir += "\\dir";
    fs.AddDir(dir);
  }
  fs.pathLimit = 60;
  // "C:\chain" + n * "\dir" + "\*.*" is listable for n <= 11: 12 levels of
  // files, and the subdirectory entry of every listed level.
  ExpectScan(ScanDirectory(fs, "C:\\chain"), 1, 11, 12, 12, 12 * 4096);
}

}  // namespace
}  // namespace vantrel
