// Bounds-checked little-endian reading over a resource image. Every read
// reports failure instead of stepping past the end, so hostile or truncated
// resources end the parse rather than the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fw::occ::detail {

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) noexcept : data_(data), size_(size) {}

  std::size_t pos() const noexcept { return pos_; }
  std::size_t size() const noexcept { return size_; }
  const std::uint8_t* data() const noexcept { return data_; }
  std::size_t left() const noexcept { return pos_ <= size_ ? size_ - pos_ : 0; }

  bool Skip(std::size_t n) noexcept {
    if (n > left()) return false;
    pos_ += n;
    return true;
  }
  bool U8(std::uint8_t& v) noexcept {
    if (left() < 1) return false;
    v = data_[pos_++];
    return true;
  }
  bool U16(std::uint16_t& v) noexcept {
    if (left() < 2) return false;
    v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
  bool U32(std::uint32_t& v) noexcept {
    std::uint16_t lo = 0, hi = 0;
    if (left() < 4) return false;
    U16(lo);
    U16(hi);
    v = lo | (static_cast<std::uint32_t>(hi) << 16);
    return true;
  }
  bool I16(std::int16_t& v) noexcept {
    std::uint16_t u = 0;
    if (!U16(u)) return false;
    v = static_cast<std::int16_t>(u);
    return true;
  }
  // Items of a dialog template start on a DWORD boundary of the image. The
  // position may land past the end; the next read then fails.
  void AlignTo4() noexcept { pos_ = (pos_ + 3) & ~static_cast<std::size_t>(3); }

  // A zero-terminated UTF-16 string; the terminator is consumed, not stored.
  bool String(std::u16string* out) {
    for (;;) {
      std::uint16_t c = 0;
      if (!U16(c)) return false;
      if (c == 0) return true;
      if (out) out->push_back(static_cast<char16_t>(c));
    }
  }
  // A name-or-ordinal field: 0x0000 (none), 0xFFFF followed by an ordinal, or
  // a string. *ordinal is set for the ordinal form, *text for the string form.
  bool NameOrOrdinal(std::u16string* text, bool* isOrdinal = nullptr) {
    std::uint16_t first = 0;
    if (isOrdinal) *isOrdinal = false;
    const std::size_t start = pos_;
    if (!U16(first)) return false;
    if (first == 0) return true;
    if (first == 0xFFFF) {
      if (isOrdinal) *isOrdinal = true;
      return Skip(2);
    }
    pos_ = start;
    return String(text);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace fw::occ::detail
