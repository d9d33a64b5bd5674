#include "mainwnd/watch_list.h"

#include <gtest/gtest.h>

#include <map>

#include "app/settings_testing.h"
#include "fw/drive_kind.h"

namespace vantrel {
namespace {

using testing::Entry;
using testing::MemoryStore;

// A machine described by its drive letters and their types.
struct Machine {
  std::map<char, unsigned> drives;
  std::uint32_t Mask() const {
    std::uint32_t m = 0;
    for (const auto& d : drives) m |= std::uint32_t{1} << (d.first - 'A');
    return m;
  }
  DriveTypeFn TypeFn() const {
    return [this](const std::string& root) {
      auto it = drives.find(root.at(0));
      return it == drives.end() ? unsigned{kDriveNoRootDir} : it->second;
    };
  }
};

const Machine kCdE{{{'A', kDriveRemovable}, {'C', kDriveFixed}, {'D', kDriveCdrom}, {'E', kDriveFixed}}};

TEST(DriveNaming, NumbersLettersRootsAndComboItems) {
  EXPECT_EQ(DriveNumber('A'), 1);
  EXPECT_EQ(DriveNumber('c'), 3);
  EXPECT_EQ(DriveNumber('Z'), 26);
  EXPECT_EQ(DriveNumber('-'), 0);
  EXPECT_EQ(DriveNumber('\0'), 0);
  EXPECT_EQ(DriveLetterOf(1), 'A');
  EXPECT_EQ(DriveLetterOf(26), 'Z');
  EXPECT_EQ(DriveLetterOf(0), '\0');
  EXPECT_EQ(DriveLetterOf(27), '\0');
  EXPECT_EQ(DriveLetterOf(-3), '\0');
  EXPECT_EQ(RootPath('C'), "C:\\");

  const std::pair<const char*, std::optional<char>> items[] = {
      {"[-c-]", 'C'},     {"[-C-]", 'C'},       {"[-z-]", 'Z'},          {"[-a", 'A'},
      {"", std::nullopt}, {"[-", std::nullopt}, {"[---]", std::nullopt}, {"[-1-]", std::nullopt},
  };
  for (const auto& [item, letter] : items) EXPECT_EQ(LetterFromComboItem(item), letter) << item;
}

TEST(WatchList, CountsAndBuildsFixedDrivesInLetterOrder) {
  EXPECT_EQ(CountFixedDrives(kCdE.Mask(), kCdE.TypeFn()), 2);
  EXPECT_EQ(BuildFreshList(kCdE.Mask(), kCdE.TypeFn()),
            (DriveList{Entry("C:\\", false, 3, true), Entry("E:\\", false, 5, true)}));
  // Only bits 0..25 name drives, and drives absent from the mask are not asked about.
  int asked = 0;
  auto allFixed = [&asked](const std::string&) {
    ++asked;
    return unsigned{kDriveFixed};
  };
  EXPECT_EQ(CountFixedDrives(0xFFFFFFFFu, allFixed), 26);
  asked = 0;
  EXPECT_EQ(CountFixedDrives(0x4u, allFixed), 1);
  EXPECT_EQ(asked, 1);
}

TEST(WatchList, FirstRunStoresUnwatchedArmedEntries) {
  MemoryStore store;
  Settings s;
  LoadSettings(store, s);
  auto list = BuildDriveList(LoadDriveList(store, s.driveCount), kCdE.Mask(), kCdE.TypeFn());
  ASSERT_TRUE(list.has_value());
  SaveSettings(store, s);
  SaveDriveList(store, list);

  EXPECT_EQ(store.GetProfileInt("Settings", "driveCount", -1), 2);
  EXPECT_EQ(store.GetProfileString("0", "path", ""), "C:\\");
  EXPECT_EQ(store.GetProfileInt("0", "watch", -1), 0);
  EXPECT_EQ(store.GetProfileInt("0", "drive", -1), 3);
  EXPECT_EQ(store.GetProfileInt("0", "notify", -1), 1);
  EXPECT_EQ(store.GetProfileString("1", "path", ""), "E:\\");
  EXPECT_EQ(store.GetProfileInt("1", "watch", -1), 0);
  EXPECT_EQ(store.GetProfileInt("1", "drive", -1), 5);
  EXPECT_EQ(store.GetProfileInt("1", "notify", -1), 1);
  EXPECT_FALSE(store.HasSection("2"));
}

TEST(WatchList, KeepsOrRebuildsByFixedDriveCount) {
  const DriveList stored{Entry("C:\\", true, 3, false), Entry("F:\\", true, 6, true)};

  // Same count, different letters: the stored list stays, old letters and all.
  EXPECT_EQ(BuildDriveList(stored, kCdE.Mask(), kCdE.TypeFn()), stored);

  // A different count rebuilds: flags reset and notices re-armed.
  const Machine three{{{'C', kDriveFixed}, {'E', kDriveFixed}, {'G', kDriveFixed}}};
  auto rebuilt = BuildDriveList(stored, three.Mask(), three.TypeFn());
  ASSERT_TRUE(rebuilt.has_value());
  EXPECT_EQ(rebuilt->size(), 3u);
  EXPECT_EQ((*rebuilt)[0], Entry("C:\\", false, 3, true));

  // No fixed drive: an empty list, which is still a list.
  const Machine none{{{'A', kDriveRemovable}}};
  auto empty = BuildDriveList(std::nullopt, none.Mask(), none.TypeFn());
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->empty());
  EXPECT_TRUE(KeepLoadedList(DriveList{}, 0));
  EXPECT_FALSE(KeepLoadedList(std::nullopt, 0));
}

TEST(WatchList, SelectionAndWatchTick) {
  std::optional<DriveList> list = DriveList{Entry("C:\\", false, 3, true), Entry("E:\\", true, 5, false)};
  EXPECT_EQ(FindEntryForDrive(list, 5), 1);
  EXPECT_EQ(FindEntryForDrive(list, 4), -1);
  EXPECT_EQ(FindEntryForDrive(std::nullopt, 3), -1);

  SetEntryWatch(list, 1, false);
  SetEntryWatch(list, 1, true);  // ticking again never re-arms a given notice
  EXPECT_EQ((*list)[1], Entry("E:\\", true, 5, false));
  SetEntryWatch(list, -1, false);
  SetEntryWatch(list, 2, false);
  EXPECT_TRUE((*list)[1].watch);
  std::optional<DriveList> noList;
  SetEntryWatch(noList, 0, true);
  EXPECT_FALSE(noList.has_value());
}

}  // namespace
}  // namespace vantrel
