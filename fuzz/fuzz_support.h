// What every fuzz target shares: a check that fails loudly in both builds
// (libFuzzer reports the abort as a crash, the corpus driver's test fails),
// and a reader that takes typed values off the front of an input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(cond) ((cond) ? (void)0 : ::fuzzing::CheckFailed(#cond, __FILE__, __LINE__))

namespace fuzzing {

[[noreturn]] inline void CheckFailed(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
  std::abort();
}

// Reads past the end give zeros and empty texts, so every input is usable.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ == size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // Little-endian; each part is read in its own statement, in input order.
  std::uint16_t U16() {
    const unsigned lo = Byte();
    return static_cast<std::uint16_t>(lo | Byte() << 8);
  }
  std::uint32_t U32() {
    const std::uint32_t lo = U16();
    return lo | std::uint32_t{U16()} << 16;
  }
  std::uint64_t U64() {
    const std::uint64_t lo = U32();
    return lo | std::uint64_t{U32()} << 32;
  }
  // At most `n` bytes, fewer when the input ends first.
  std::string Bytes(std::size_t n) {
    if (n > size_ - pos_) n = size_ - pos_;
    std::string out(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return out;
  }
  std::string Rest() { return Bytes(size_ - pos_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace fuzzing
