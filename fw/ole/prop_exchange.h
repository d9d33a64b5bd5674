// Property exchange of a control: one routine per control names its persisted
// properties once, and the same routine loads, saves or resets them through
// any of the exchangers below (binary stream, reset; the property bag lives in
// the Win32 part). Window-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw::ole {

class PropExchange {
 public:
  virtual ~PropExchange() = default;
  virtual bool Loading() const = 0;
  // Exchange one value under its name; false when loading failed.
  virtual bool Long(const char* name, std::int32_t& value, std::int32_t fallback) = 0;
  virtual bool Bool(const char* name, bool& value, bool fallback) = 0;
  // False once any value failed to load.
  bool Ok() const { return ok_; }

 protected:
  bool Fail() { return ok_ = false; }

 private:
  bool ok_ = true;
};

// Writes little-endian values: 4 bytes a long, 1 byte (0 or 1) a boolean.
class StreamWriter final : public PropExchange {
 public:
  bool Loading() const override { return false; }
  bool Long(const char*, std::int32_t& value, std::int32_t) override;
  bool Bool(const char*, bool& value, bool) override;
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Reads what StreamWriter wrote; any non-zero byte reads as true. Running out
// of bytes fails the exchange and leaves the value alone.
class StreamReader final : public PropExchange {
 public:
  StreamReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Loading() const override { return true; }
  bool Long(const char*, std::int32_t& value, std::int32_t) override;
  bool Bool(const char*, bool& value, bool) override;
  std::size_t Consumed() const { return pos_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Sets every value to its fallback: a fresh instance, or a reset after a
// failed load.
class ResetExchange final : public PropExchange {
 public:
  bool Loading() const override { return true; }
  bool Long(const char*, std::int32_t& value, std::int32_t fallback) override {
    value = fallback;
    return true;
  }
  bool Bool(const char*, bool& value, bool fallback) override {
    value = fallback;
    return true;
  }
};

// Extent of a control in 0.01 mm.
struct Extent {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
};

// The framework's part of every control's exchange, in stream order: the
// version (any stored version is accepted and converted), then the extent and
// the mask of persisted stock properties. `version` receives the stored one.
bool ExchangeVersion(PropExchange& px, std::int32_t& version, std::int32_t current);
bool ExchangeBase(PropExchange& px, Extent& extent, const Extent& fallback);

// Bytes a stream exchange of a control without stock properties starts with.
inline constexpr std::size_t kBaseStreamBytes = 16;

}  // namespace fw::ole
