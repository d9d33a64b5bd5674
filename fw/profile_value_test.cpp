#include "fw/profile_value.h"

#include <gtest/gtest.h>

#include <string>

namespace fw {
namespace {

constexpr std::uint32_t kRegNone = 0, kRegBinary = 3, kRegDwordBigEndian = 5, kRegMultiSz = 7, kRegQword = 11;

TEST(ProfileValue, NumbersOnlyFromFourByteDwords) {
  const std::string four("\x2A\x00\x00\x80", 4), three("\x2A\x00\x00", 3), eight(8, '\x01');
  struct Case {
    std::uint32_t type;
    std::string data;
    std::optional<std::uint32_t> expected;
  } cases[] = {
      {kRegDword, four, 0x8000002Au},   {kRegDword, three, std::nullopt},
      {kRegDword, eight, std::nullopt}, {kRegDword, "", std::nullopt},
      {kRegBinary, four, std::nullopt}, {kRegDwordBigEndian, four, std::nullopt},
      {kRegQword, eight, std::nullopt}, {kRegSz, std::string("12\0", 3), std::nullopt},
      {kRegNone, four, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileIntValue(c.type, c.data.data(), c.data.size()), c.expected) << c.type << "/" << c.data.size();
  }
}

TEST(ProfileValue, TextsEndAtTheirFirstZeroOrTheirData) {
  struct Case {
    std::uint32_t type;
    std::string data;
    std::optional<std::string> expected;
  } cases[] = {
      {kRegSz, std::string("C:\\\0", 4), "C:\\"},
      {kRegSz, "C:\\", "C:\\"},  // stored without its terminator
      {kRegExpandSz, std::string("a\0b\0", 4), "a"},
      {kRegSz, "", ""},
      {kRegSz, std::string(10000, 'x'), std::string(10000, 'x')},
      {kRegMultiSz, std::string("a\0\0", 3), std::nullopt},
      {kRegBinary, "abc", std::nullopt},
      {kRegDword, std::string("\x41\x42\x43\x00", 4), std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileStringValue(c.type, c.data.data(), c.data.size()), c.expected) << c.type << "/" << c.data.size();
  }
}

}  // namespace
}  // namespace fw
