#include "views/dir_view.h"

#include <gtest/gtest.h>

#include "mainwnd/drive_kind.h"
#include "views/fake_file_system.h"
#include "views/size_format.h"

namespace vantrel {
namespace {

using fakes::FakeFileSystem;

class DirViewTest : public ::testing::Test {
 protected:
  DirViewTest() {
    fs.AddDrive('C', kDriveFixed, 2147483648);
    fs.AddDir("C:\\one");
    fs.AddFile("C:\\one\\byte", 1);
    fs.AddDir("C:\\zero");
    fs.AddFile("C:\\zero\\a", 0);
    fs.AddFile("C:\\zero\\b", 0);
    fs.AddDir("C:\\zero\\sub");
    fs.AddFile("C:\\zero\\sub\\c", 0);
    fs.AddDir("C:\\half");
    fs.AddFile("C:\\half\\big", 1073741824);
  }
  // Selects and scans a directory; the result says whether the texts go to the window.
  bool Show(const char* path, int unit = kUnitMegabytes) {
    EXPECT_TRUE(view.SelectPath(path));
    return view.Scan(fs, fs, unit);
  }
  const DirViewTexts& T() const { return view.Texts(); }

  FakeFileSystem fs;
  DirViewModel view;
};

TEST_F(DirViewTest, OneByteFileInEachUnit) {
  ASSERT_TRUE(Show("C:\\one"));
  EXPECT_EQ(T().path, "C:\\one");
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
  ASSERT_TRUE(Show("C:\\half"));
  EXPECT_EQ(T().percent, "50%");
  EXPECT_EQ(T().bar, 50);

  ASSERT_TRUE(Show("C:\\zero"));
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
  ASSERT_TRUE(Show("C:\\missing"));
  EXPECT_EQ(T().totalFiles, "0");
  EXPECT_EQ(T().subDirs, "0");
  EXPECT_EQ(T().actualSize, "Empty");
  EXPECT_EQ(T().percent, "");
}

TEST_F(DirViewTest, DriveQueryFailures) {
  ASSERT_TRUE(Show("C:\\half"));
  // The query fails: sizes follow the new directory, the share stays.
  fs.FailDiskTotal('C');
  ASSERT_TRUE(Show("C:\\one"));
  EXPECT_EQ(T().actualSize, " <1 MB");
  EXPECT_EQ(T().percent, "50%");
  EXPECT_EQ(T().bar, 50);

  // A drive of no size: nothing is pushed, the next unit step shows the new totals.
  fs.AddDrive('D', kDriveFixed, 0);
  fs.AddFile("D:\\f", 2048);
  EXPECT_FALSE(Show("D:\\"));
  EXPECT_TRUE(view.ChangeUnit(kUnitKilobytes));
  EXPECT_EQ(T().actualSize, "2 KB");
  EXPECT_EQ(T().spaceUsed, "4 KB");
}

TEST_F(DirViewTest, NoSelectionChangesNothing) {
  ASSERT_TRUE(Show("C:\\one"));
  const std::size_t listings = fs.log.size();
  EXPECT_FALSE(view.SelectPath(""));
  EXPECT_EQ(T().actualSize, " <1 MB");
  EXPECT_EQ(fs.log.size(), listings);
}

}  // namespace
}  // namespace vantrel
