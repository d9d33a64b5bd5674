// How the profile functions read a registry value's raw data: a number only
// from a REG_DWORD of exactly four bytes, a text only from REG_SZ or
// REG_EXPAND_SZ, ended at its first zero or, when the terminator is missing,
// at the end of the data. Anything else reads as the caller's default.
//
// Window-free, so the interpretation of whatever a store holds is tested and
// fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace fw {

// Registry value types, as the platform numbers them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegDword = 4;

std::optional<std::uint32_t> ProfileIntValue(std::uint32_t type, const void* data, std::size_t size);
std::optional<std::string> ProfileStringValue(std::uint32_t type, const void* data, std::size_t size);

}  // namespace fw
