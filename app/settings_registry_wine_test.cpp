// The settings persistence over the real per-user registry, through the
// application's profile functions: the shared store cases, plus data only a
// registry can hold (values of a foreign type).
#include <gtest/gtest.h>

#include "app/app_profile_store.h"
#include "app/settings_test_cases.h"

namespace vantrel::testing {
namespace {

constexpr char kTestRoot[] = "Software\\VantrelSettingsTest";

class TestApp : public fw::CWinApp {
 public:
  TestApp() : fw::CWinApp("Vantrel") { SetRegistryKey("VantrelSettingsTest"); }
};

// A fresh, empty registry subtree for the life of the object.
class RegistryProvider {
 public:
  RegistryProvider() : store_(app_) { ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot); }
  ~RegistryProvider() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot); }
  ProfileStore& Store() { return store_; }
  const TestApp& App() const { return app_; }

 private:
  TestApp app_;
  AppProfileStore store_;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Registry, SettingsStoreCases, RegistryProvider);

namespace {

void SetRaw(const std::string& section, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  const std::string path = std::string(kTestRoot) + "\\Vantrel\\" + section;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  ::RegCloseKey(key);
}

TEST(RegistrySettings, ForeignValueTypesReadAsDefaultsAndAreRepairedOnSave) {
  RegistryProvider p;
  SetRaw("Settings", "Percent", REG_SZ, "42", 3);
  const BYTE blob[3] = {1, 2, 3};
  SetRaw("Settings", "nTooltip", REG_BINARY, blob, sizeof blob);
  const DWORD three = 3;
  SetRaw("Settings", "driveCount", REG_DWORD, &three, sizeof three);
  SetRaw("0", "path", REG_DWORD, &three, sizeof three);
  SetRaw("0", "drive", REG_SZ, "3", 2);

  Settings s;
  LoadSettings(p.Store(), s);
  EXPECT_EQ(s.Percent, 15);
  EXPECT_EQ(s.nTooltip, 0);
  auto list = LoadDriveList(p.Store(), s.driveCount);
  ASSERT_TRUE(list.has_value());
  ASSERT_EQ(list->size(), 3u);
  EXPECT_EQ((*list)[0].path, "");
  EXPECT_EQ((*list)[0].drive, 0);
  EXPECT_TRUE((*list)[2].notify);

  SaveSettings(p.Store(), s);
  EXPECT_EQ(p.App().GetProfileInt("Settings", "Percent", -1), 15u);
  DWORD type = 0;
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VantrelSettingsTest\\Vantrel\\Settings", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  ::RegQueryValueExA(key, "Percent", nullptr, &type, nullptr, nullptr);
  ::RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

TEST(RegistrySettings, HugeAndNegativeDriveCountsGiveNoStoredList) {
  for (DWORD count : {0x7FFFFFFFu, 0xFFFFFFFFu, 27u}) {
    RegistryProvider p;
    SetRaw("Settings", "driveCount", REG_DWORD, &count, sizeof count);
    Settings s;
    LoadSettings(p.Store(), s);
    EXPECT_FALSE(LoadDriveList(p.Store(), s.driveCount).has_value()) << count;
  }
}

}  // namespace
}  // namespace vantrel::testing
