// The dialog-initialisation resource (type 240) that travels with a dialog
// template: records of control id, message and data, ended by a 16-bit 0.
// Records with message 0x0376 carry an OLE control's initial property stream
// behind a 32-bit leading count.
//
// Window-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace fw::occ {

// Message of a record that loads a control from a stream.
constexpr std::uint16_t kLoadFromStream = 0x0376;

// Control id -> the property stream to load it from (the record's data after
// its 4-byte leading count).
using ControlStreams = std::map<std::uint16_t, std::vector<std::uint8_t>>;

// Parses a resource image of `size` bytes. Records of other messages are
// skipped. When one control has several stream records the first one counts.
// Empty when a record runs past the end, a stream record is shorter than its
// leading count, or the terminating 0 is missing.
std::optional<ControlStreams> ParseDlgInit(const void* data, std::size_t size);

}  // namespace fw::occ
