// The registry reader against the real registry.
#include "probes/reg_key_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

constexpr char kKey[] = "Software\\VantrelRegReaderTest";

class RegKeyReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }
  void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }
  void Put(const char* name, const void* data, DWORD size, DWORD type = REG_SZ) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
  }
};

TEST_F(RegKeyReaderTest, MissingKeyFailsWithFileNotFound) {
  CRegKeyReader reader(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reader.Open(HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(reader.lastResult, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(reader.keyPath, kKey);
  EXPECT_EQ(reader.valueType, 0u);
  EXPECT_EQ(reader.valueSize, 0u);
}

TEST_F(RegKeyReaderTest, ReadsUpToTwoHundredBytes) {
  const std::string s199(199, 'a'), s200(200, 'b');
  Put("fits", s199.c_str(), 200);
  Put("toolong", s200.c_str(), 201);
  Put("empty", "", 1);
  Put("bare", s200.data(), 200);  // exactly the limit, no terminator
  CRegKeyReader reader(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, kKey));

  std::string out = "unchanged";
  EXPECT_TRUE(reader.ReadString("fits", out));
  EXPECT_EQ(out, s199);
  EXPECT_EQ(reader.valueType, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(reader.valueSize, 200u);

  out = "unchanged";
  EXPECT_FALSE(reader.ReadString("toolong", out));
  EXPECT_EQ(reader.lastResult, ERROR_MORE_DATA);
  EXPECT_EQ(out, "unchanged");

  EXPECT_TRUE(reader.ReadString("empty", out));
  EXPECT_EQ(out, "");

  // Exactly the limit without a terminator: the platform may refuse it (no
  // room for one); when it does not, the text is bounded by the data itself.
  out = "unchanged";
  if (reader.ReadString("bare", out))
    EXPECT_EQ(out, s200);
  else
    EXPECT_EQ(out, "unchanged");

  out = "unchanged";
  EXPECT_FALSE(reader.ReadString("absent", out));
  EXPECT_EQ(reader.lastResult, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(out, "unchanged");
}

bool IsOpen(HKEY key) {
  DWORD subKeys = 0;
  return ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS;
}

TEST_F(RegKeyReaderTest, CreateMakesAVolatileKeyAndCloseTwiceClosesOnce) {
  CRegKeyReader reader(HKEY_LOCAL_MACHINE);
  ASSERT_FALSE(reader.Open(HKEY_CURRENT_USER, kKey));
  ASSERT_TRUE(reader.Create(HKEY_CURRENT_USER, kKey));
  // Only volatile keys may live under a volatile key.
  HKEY child = nullptr;
  const std::string childPath = std::string(kKey) + "\\child";
  EXPECT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, childPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ,
                              nullptr, &child, nullptr),
            ERROR_CHILD_MUST_BE_VOLATILE);

  const HKEY held = reader.Key();
  reader.Close();
  // The platform hands the freed handle value to the next key opened: a
  // second close of the old value would close this one.
  HKEY other = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &other), ERROR_SUCCESS);
  ASSERT_EQ(other, held) << "the platform did not reuse the handle value; the check below proves nothing";
  reader.Close();
  EXPECT_TRUE(IsOpen(other));
  ::RegCloseKey(other);

  // Reuse after Close, as the extended information window does.
  EXPECT_TRUE(reader.Open(HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(reader.lastResult, ERROR_SUCCESS);
}

TEST_F(RegKeyReaderTest, TheInitialKeyStaysTheCallers) {
  HKEY mine = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &mine), ERROR_SUCCESS);
  { CRegKeyReader unused(mine); }
  {
    CRegKeyReader replaced(mine);
    ASSERT_TRUE(replaced.Create(HKEY_CURRENT_USER, kKey));
  }
  EXPECT_TRUE(IsOpen(mine));
  ::RegCloseKey(mine);
}

// Stands in for RegOpenKeyExA where a normal user may only read: a key that
// exists is refused to any request for changing it.
std::vector<REGSAM> g_asked;
LONG WINAPI ReadOnlyOpen(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY out) {
  g_asked.push_back(access);
  const LONG rc = ::RegOpenKeyExA(root, subKey, options, KEY_READ, out);
  if (rc != ERROR_SUCCESS || !(access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY))) return rc;
  ::RegCloseKey(*out);
  *out = nullptr;
  return ERROR_ACCESS_DENIED;
}

TEST_F(RegKeyReaderTest, AKeyRefusedForChangesIsOpenedForReading) {
  Put("ComputerName", "VANTREL-PC", 11);
  g_asked.clear();
  CRegKeyReader reader(HKEY_LOCAL_MACHINE, ReadOnlyOpen);
  ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(g_asked, (std::vector<REGSAM>{KEY_ALL_ACCESS, KEY_READ})) << "all access is asked for first";
  std::string name;
  EXPECT_TRUE(reader.ReadString("ComputerName", name));
  EXPECT_EQ(name, "VANTREL-PC");

  // Other failures are not retried.
  reader.Close();
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
  g_asked.clear();
  EXPECT_FALSE(reader.Open(HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(reader.lastResult, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(g_asked, std::vector<REGSAM>{KEY_ALL_ACCESS});
}

TEST_F(RegKeyReaderTest, ReadsTheComputerName) {
  CRegKeyReader reader(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reader.Open(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName"));
  std::string name;
  ASSERT_TRUE(reader.ReadString("ComputerName", name));
  char expected[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof expected;
  ASSERT_TRUE(::GetComputerNameA(expected, &size));
  EXPECT_EQ(name, expected);
}

}  // namespace
}  // namespace vantrel
