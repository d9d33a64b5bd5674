#include "views/dir_view.h"

#include <gtest/gtest.h>

#include "fw/drive_kind.h"
#include "views/fake_file_system.h"
#include "views/size_format.h"

namespace vantrel {
namespace {

using fakes::FakeFileSystem;

class DirViewTest : public ::testing::Test {
 protected:
  DirViewTest() {
    fs.AddDrive('C', kDriveFixed, 2147483648);
    fs.AddDir(L"C:\\one");
    fs.AddFile(L"C:\\one\\byte", 1);
    fs.AddDir(L"C:\\zero");
    fs.AddFile(L"C:\\zero\\a", 0);
    fs.AddFile(L"C:\\zero\\b", 0);
    fs.AddDir(L"C:\\zero\\sub");
    fs.AddFile(L"C:\\zero\\sub\\c", 0);
    fs.AddDir(L"C:\\half");
    fs.AddFile(L"C:\\half\\big", 1073741824);
  }
  // Selects and scans a directory; the result says whether the texts go to the window.
  void Show(const wchar_t* path, int unit = kUnitMegabytes) {
    ASSERT_TRUE(view.SelectPath(path));
    view.Scan(fs, fs, unit);
  }
  const DirViewTexts& T() const { return view.Texts(); }

  FakeFileSystem fs;
  DirViewModel view;
};

TEST_F(DirViewTest, OneByteFileInEachUnit) {
  Show(L"C:\\one");
  EXPECT_EQ(T().path, L"C:\\one");
  EXPECT_EQ(T().filesHere, "1");
  EXPECT_EQ(T().filesInSubdirs, "0");
  EXPECT_EQ(T().totalFiles, "1");
  EXPECT_EQ(T().subDirs, "0");
  EXPECT_EQ(T().actualSize, " <1 MB");
  EXPECT_EQ(T().spaceUsed, " <1 MB");
  EXPECT_EQ(T().percent, "<1%");
  EXPECT_EQ(T().bar, 0);

  // The selector reformats the same totals without listing anything.
  const std::size_t listings = fs.log.size();
  const std::tuple<int, const char*, const char*> steps[] = {{kUnitGigabytes, " <1 GB", " <1 GB"},
                                                             {kUnitBytes, "1 Byte(s)", "4096 Byte(s)"},
                                                             {kUnitKilobytes, " <1 KB", "4 KB"}};
  for (const auto& [unit, actual, used] : steps) {
    EXPECT_TRUE(view.ChangeUnit(unit));
    EXPECT_EQ(T().actualSize, actual) << unit;
    EXPECT_EQ(T().spaceUsed, used) << unit;
  }
  EXPECT_EQ(fs.log.size(), listings);
}

TEST_F(DirViewTest, ADirectoryWithoutBytesShowsEmpty) {
  Show(L"C:\\half");
  EXPECT_EQ(T().percent, "50%");
  EXPECT_EQ(T().bar, 50);

  Show(L"C:\\zero");
  EXPECT_EQ(T().filesHere, "2");
  EXPECT_EQ(T().filesInSubdirs, "1");
  EXPECT_EQ(T().totalFiles, "3");
  EXPECT_EQ(T().subDirs, "1");
  EXPECT_EQ(T().actualSize, "Empty");
  EXPECT_EQ(T().spaceUsed, "");  // not the previous directory's figure
  EXPECT_EQ(T().percent, "");
  EXPECT_EQ(T().bar, 0);
  EXPECT_FALSE(view.ChangeUnit(kUnitBytes));
  EXPECT_EQ(T().actualSize, "Empty");

  // A directory that cannot be listed looks the same, with zero counts.
  Show(L"C:\\missing");
  EXPECT_EQ(T().totalFiles, "0");
  EXPECT_EQ(T().subDirs, "0");
  EXPECT_EQ(T().actualSize, "Empty");
  EXPECT_EQ(T().percent, "");
}

TEST_F(DirViewTest, ADriveWithoutASizeShowsNoShare) {
  // A failed query, or a drive of no size: the counts and sizes are the new
  // directory's and the share is empty, never the previous selection's.
  fs.AddDrive('D', kDriveFixed, 0);
  fs.AddFile(L"D:\\f", 2048);
  Show(L"C:\\half");
  fs.FailDiskTotal('C');
  Show(L"C:\\one");
  EXPECT_EQ(T().actualSize, " <1 MB");
  EXPECT_EQ(T().percent, "");
  EXPECT_EQ(T().bar, 0);

  Show(L"C:\\half");  // a share again, then none on the drive of no size
  Show(L"D:\\", kUnitKilobytes);
  EXPECT_EQ(T().path, L"D:\\");
  EXPECT_EQ(T().filesHere, "1");
  EXPECT_EQ(T().actualSize, "2 KB");
  EXPECT_EQ(T().spaceUsed, "4 KB");
  EXPECT_EQ(T().percent, "");
  EXPECT_EQ(T().bar, 0);
}

TEST_F(DirViewTest, NoSelectionChangesNothing) {
  Show(L"C:\\one");
  const std::size_t listings = fs.log.size();
  EXPECT_FALSE(view.SelectPath(L""));
  EXPECT_EQ(T().actualSize, " <1 MB");
  EXPECT_EQ(fs.log.size(), listings);
}

}  // namespace
}  // namespace vantrel
