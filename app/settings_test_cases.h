// Store-independent checks of the settings persistence, shared by the native
// tests (over MemoryStore) and the Windows tests (over the registry).
//
// Use: define a provider type P that is default-constructible, owns a fresh,
// empty store for the life of the object and exposes `ProfileStore& Store()`;
// then, in one test file:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Registry, SettingsStoreCases, MyProvider);
// Values are injected only through the ProfileStore interface, so the same
// cases run against any backing store.
#pragma once

#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.h"
#include "app/settings_testing.h"

namespace vantrel::testing {

template <class Provider>
class SettingsStoreCases : public ::testing::Test {
 protected:
  ProfileStore& Store() { return provider_.Store(); }
  Settings Load() {
    Settings s;
    LoadSettings(Store(), s);
    return s;
  }
  Provider provider_;
};

TYPED_TEST_SUITE_P(SettingsStoreCases);

TYPED_TEST_P(SettingsStoreCases, FirstRunGivesDefaultsAndNoList) {
  Settings s = this->Load();
  EXPECT_FALSE(s.AutoHide);
  EXPECT_EQ(s.Percent, 15);
  EXPECT_EQ(s.nTooltip, 0);
  EXPECT_EQ(s.MemoryPos, 10);
  EXPECT_EQ(s.DrivePos, 10);
  EXPECT_EQ(s.labelText, 0u);
  EXPECT_EQ(s.listText, 0u);
  EXPECT_FALSE(s.CloseNotify);
  EXPECT_FALSE(s.DisableNotify);
  EXPECT_EQ(s.driveCount, 0);
  EXPECT_FALSE(LoadDriveList(this->Store(), s.driveCount).has_value());
}

TYPED_TEST_P(SettingsStoreCases, ReadsAndWritesInFieldOrder) {
  RecordingStore rec(this->Store());
  Settings s;
  LoadSettings(rec, s);
  const std::vector<std::string> reads = {"R Settings/AutoHide",  "R Settings/Percent",     "R Settings/nTooltip",
                                          "R Settings/MemoryPos", "R Settings/DrivePos",    "R Settings/labelText",
                                          "R Settings/listText",  "R Settings/CloseNotify", "R Settings/DisableNotify",
                                          "R Settings/driveCount"};
  EXPECT_EQ(rec.log, reads);

  rec.log.clear();
  s.AutoHide = true;
  s.labelText = 0x00FF8040;
  s.driveCount = 7;  // never written by SaveSettings
  SaveSettings(rec, s);
  const std::vector<std::string> writes = {
      "W Settings/AutoHide=1",   "W Settings/Percent=15",    "W Settings/nTooltip=0",
      "W Settings/MemoryPos=10", "W Settings/DrivePos=10",   "W Settings/labelText=16744512",
      "W Settings/listText=0",   "W Settings/CloseNotify=0", "W Settings/DisableNotify=0"};
  EXPECT_EQ(rec.log, writes);
  EXPECT_EQ(this->Store().GetProfileInt("Settings", "driveCount", -5), -5);

  rec.log.clear();
  std::optional<DriveList> list = DriveList{Entry("C:\\", false, 3, true), Entry("E:\\", true, 5, false)};
  EXPECT_TRUE(SaveDriveList(rec, list));
  const std::vector<std::string> listWrites = {
      "W Settings/driveCount=2", "W 0/path=C:\\", "W 0/watch=0", "W 0/drive=3", "W 0/notify=1",
      "W 1/path=E:\\",           "W 1/watch=1",   "W 1/drive=5", "W 1/notify=0"};
  EXPECT_EQ(rec.log, listWrites);

  rec.log.clear();
  EXPECT_FALSE(SaveDriveList(rec, std::nullopt));
  EXPECT_TRUE(rec.log.empty());
}

TYPED_TEST_P(SettingsStoreCases, RoundTripAndBooleansMadeZeroOrOne) {
  ProfileStore& st = this->Store();
  Settings s;
  s.Percent = 7;
  s.nTooltip = 3;
  s.DrivePos = 59;
  s.labelText = 0x00FFFFFF;
  s.listText = 0x000080FF;
  s.CloseNotify = true;
  SaveSettings(st, s);
  SaveSettings(st, s);  // options OK, then exit: same values twice
  Settings back = this->Load();
  EXPECT_EQ(std::make_tuple(back.AutoHide, back.Percent, back.nTooltip, back.MemoryPos, back.DrivePos, back.labelText,
                            back.listText, back.CloseNotify, back.DisableNotify),
            std::make_tuple(false, 7, 3, 0, 59, 0x00FFFFFFu, 0x000080FFu, true, false));

  st.WriteProfileInt("Settings", "AutoHide", 5);
  st.WriteProfileInt("Settings", "DisableNotify", -1);
  st.WriteProfileInt("Settings", "driveCount", 1);
  st.WriteProfileInt("0", "watch", 5);
  st.WriteProfileInt("0", "notify", 9);
  s = this->Load();
  auto list = LoadDriveList(st, s.driveCount);
  ASSERT_TRUE(list.has_value());
  EXPECT_TRUE(s.AutoHide && s.DisableNotify && (*list)[0].watch && (*list)[0].notify);
  SaveSettings(st, s);
  SaveDriveList(st, list);
  for (const char* name : {"AutoHide", "DisableNotify"}) EXPECT_EQ(st.GetProfileInt("Settings", name, -1), 1);
  for (const char* name : {"watch", "notify"}) EXPECT_EQ(st.GetProfileInt("0", name, -1), 1);
}

TYPED_TEST_P(SettingsStoreCases, MissingStaleAndEmptyListSections) {
  ProfileStore& st = this->Store();
  SaveDriveList(st, DriveList{Entry("C:\\", false, 3, true), Entry("D:\\", false, 4, true),
                              Entry("E:\\", true, 5, true), Entry("F:\\", true, 6, true)});
  // Shrinks to two, with a cleared notify: sections "2" and "3" stay but are not read.
  const DriveList two{Entry("C:\\", true, 3, false), Entry("E:\\", false, 5, true)};
  SaveDriveList(st, two);
  EXPECT_EQ(st.GetProfileString("3", "path", ""), "F:\\");
  EXPECT_EQ(LoadDriveList(st, this->Load().driveCount), two);

  // A count that names a section never written gives a default entry there.
  st.WriteProfileInt("Settings", "driveCount", 5);
  auto five = LoadDriveList(st, this->Load().driveCount);
  ASSERT_TRUE(five.has_value());
  ASSERT_EQ(five->size(), 5u);
  EXPECT_EQ((*five)[4], Entry("", false, 0, true));

  // An empty list is written as a count of 0, which reads back as no list.
  EXPECT_TRUE(SaveDriveList(st, DriveList{}));
  EXPECT_EQ(st.GetProfileInt("Settings", "driveCount", -1), 0);
  EXPECT_FALSE(LoadDriveList(st, this->Load().driveCount).has_value());
}

TYPED_TEST_P(SettingsStoreCases, WrongTypesAndImpossibleCountsReadSafely) {
  ProfileStore& st = this->Store();
  st.WriteProfileString("Settings", "Percent", "20");
  st.WriteProfileString("Settings", "AutoHide", "1");
  st.WriteProfileString("Settings", "driveCount", "2");
  st.WriteProfileInt("Settings", "MemoryPos", 3);  // a good value beside the bad ones
  Settings s = this->Load();
  EXPECT_EQ(std::make_tuple(s.Percent, s.AutoHide, s.driveCount, s.MemoryPos), std::make_tuple(15, false, 0, 3));

  st.WriteProfileInt("0", "path", 67);
  st.WriteProfileString("0", "drive", "3");
  st.WriteProfileString("0", "notify", "0");
  EXPECT_EQ(LoadDriveList(st, 1), DriveList{Entry("", false, 0, true)});

  // No machine has more than 26 drives: such counts mean "rebuild", never a huge list.
  SaveDriveList(st, DriveList{Entry("C:\\", true, 3, true)});
  for (int count : {-1, INT_MIN, 27, 1000000, INT_MAX}) {
    st.WriteProfileInt("Settings", "driveCount", count);
    EXPECT_FALSE(LoadDriveList(st, this->Load().driveCount).has_value()) << count;
  }
  st.WriteProfileInt("Settings", "driveCount", 26);
  auto full = LoadDriveList(st, this->Load().driveCount);
  ASSERT_TRUE(full.has_value());
  EXPECT_EQ(full->size(), 26u);
  EXPECT_EQ((*full)[0], Entry("C:\\", true, 3, true));
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreCases, FirstRunGivesDefaultsAndNoList, ReadsAndWritesInFieldOrder,
                            RoundTripAndBooleansMadeZeroOrOne, MissingStaleAndEmptyListSections,
                            WrongTypesAndImpossibleCountsReadSafely);

}  // namespace vantrel::testing
