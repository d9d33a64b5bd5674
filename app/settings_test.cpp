#include "app/settings.h"
#include "app/settings_test_cases.h"

namespace vantrel::testing {
namespace {

struct MemoryProvider {
  ProfileStore& Store() { return store; }
  MemoryStore store;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsStoreCases, MemoryProvider);

namespace {

TEST(MemoryStoreOnly, UnreadableValuesAndRefusedWrites) {
  MemoryStore st;
  st.Put("Settings", "nTooltip", MemoryStore::Unreadable{});
  EXPECT_EQ(st.GetProfileInt("Settings", "nTooltip", 4), 4);

  Settings s;
  s.Percent = 30;
  SaveSettings(st, s);
  st.SetWritable(false);
  s.Percent = 40;
  SaveSettings(st, s);
  EXPECT_TRUE(SaveDriveList(st, DriveList{Entry("C:\\", false, 3, true)}));  // failures are not reported
  EXPECT_EQ(s.Percent, 40);
  EXPECT_EQ(st.GetProfileInt("Settings", "Percent", 0), 30);
  EXPECT_FALSE(st.HasSection("0"));
}

}  // namespace
}  // namespace vantrel::testing
