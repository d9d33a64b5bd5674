// The registry reader against the real registry.
#include "probes/reg_key_reader.h"

#include <gtest/gtest.h>

#include <string>

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
  EXPECT_EQ(reader.m_lResult, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(reader.m_strSubKey, kKey);
  EXPECT_EQ(reader.m_dwType, 0u);
  EXPECT_EQ(reader.m_dwSize, 0u);
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
  EXPECT_EQ(reader.m_dwType, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(reader.m_dwSize, 200u);

  out = "unchanged";
  EXPECT_FALSE(reader.ReadString("toolong", out));
  EXPECT_EQ(reader.m_lResult, ERROR_MORE_DATA);
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
  EXPECT_EQ(reader.m_lResult, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(out, "unchanged");
}

TEST_F(RegKeyReaderTest, CreateMakesAVolatileKeyAndCloseTwiceClosesOnce) {
  CRegKeyReader reader(HKEY_LOCAL_MACHINE);
  ASSERT_FALSE(reader.Open(HKEY_CURRENT_USER, kKey));
  ASSERT_TRUE(reader.Create(HKEY_CURRENT_USER, kKey));
  EXPECT_NE(reader.Key(), nullptr);
  reader.Close();
  EXPECT_EQ(reader.Key(), nullptr);
  reader.Close();
  EXPECT_EQ(reader.Key(), nullptr);

  // Reuse after Close, as the extended information window does.
  EXPECT_TRUE(reader.Open(HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(reader.m_lResult, ERROR_SUCCESS);
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
