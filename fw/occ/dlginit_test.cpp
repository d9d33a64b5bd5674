#include "fw/occ/dlginit.h"

#include <gtest/gtest.h>

#include <vector>

namespace fw::occ {
namespace {

using Bytes = std::vector<std::uint8_t>;

void U16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void Record(Bytes& b, std::uint16_t id, std::uint16_t msg, const Bytes& data, std::uint32_t length) {
  U16(b, id);
  U16(b, msg);
  U16(b, length & 0xFFFF);
  U16(b, length >> 16);
  b.insert(b.end(), data.begin(), data.end());
}
void Record(Bytes& b, std::uint16_t id, std::uint16_t msg, const Bytes& data) {
  Record(b, id, msg, data, static_cast<std::uint32_t>(data.size()));
}

// The gauge records of the main dialog: leading count 0, then an 18-byte
// property stream and two bytes the control does not read.
const Bytes kGauge1091 = {0,    0,    0, 0, 0, 0, 1, 0, 0xC8, 0x0E, 0,    0,
                          0x72, 0x01, 0, 0, 0, 0, 0, 0, 0x00, 0xED, 0x26, 0x05};
const Bytes kGauge1092 = {0,    0,    0, 0, 0, 0, 1, 0, 0xC8, 0x0E, 0,    0,
                          0x72, 0x01, 0, 0, 0, 0, 0, 0, 0x00, 0x2C, 0x45, 0x00};

Bytes MainDialogInit() {
  Bytes b;
  Record(b, 1091, kLoadFromStream, kGauge1091);
  Record(b, 1092, kLoadFromStream, kGauge1092);
  Record(b, 1030, 0x0143, {'C', 0, ':', 0, 0, 0});  // a combo box string: not ours
  U16(b, 0);
  return b;
}

TEST(ParseDlgInit, YieldsEachControlsStreamWithoutItsLeadingCount) {
  Bytes image = MainDialogInit();
  auto streams = ParseDlgInit(image.data(), image.size());
  ASSERT_TRUE(streams);
  ASSERT_EQ(2u, streams->size());
  EXPECT_EQ(Bytes(kGauge1091.begin() + 4, kGauge1091.end()), streams->at(1091));
  EXPECT_EQ(Bytes(kGauge1092.begin() + 4, kGauge1092.end()), streams->at(1092));
  EXPECT_EQ(20u, streams->at(1091).size());
}

TEST(ParseDlgInit, BytesAfterTheTerminatorAreIgnored) {
  Bytes image = MainDialogInit();
  image.insert(image.end(), {0xAB, 0xCD});
  auto streams = ParseDlgInit(image.data(), image.size());
  ASSERT_TRUE(streams);
  EXPECT_EQ(2u, streams->size());
}

TEST(ParseDlgInit, OnlyTheTerminatorGivesNoStreams) {
  Bytes image = {0, 0};
  auto streams = ParseDlgInit(image.data(), image.size());
  ASSERT_TRUE(streams);
  EXPECT_TRUE(streams->empty());
}

TEST(ParseDlgInit, FirstRecordOfAControlCounts) {
  Bytes b;
  Record(b, 7, kLoadFromStream, {0, 0, 0, 0, 'a'});
  Record(b, 7, kLoadFromStream, {0, 0, 0, 0, 'b'});
  U16(b, 0);
  auto streams = ParseDlgInit(b.data(), b.size());
  ASSERT_TRUE(streams);
  EXPECT_EQ(Bytes{'a'}, streams->at(7));
}

TEST(ParseDlgInit, EveryTruncationIsRejected) {
  const Bytes image = MainDialogInit();
  for (std::size_t n = 0; n < image.size(); ++n) {
    Bytes prefix(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(ParseDlgInit(prefix.data(), prefix.size())) << "prefix of " << n << " bytes";
  }
}

TEST(ParseDlgInit, MalformedRecordsAreRejected) {
  struct Case {
    const char* name;
    Bytes image;
  };
  auto overlong = [] {
    Bytes b;
    Record(b, 1091, kLoadFromStream, kGauge1091, 25);  // one byte more than there is before the end
    return b;
  };
  auto huge = [] {
    Bytes b;
    Record(b, 1091, kLoadFromStream, kGauge1091, 0xFFFFFFF0u);
    U16(b, 0);
    return b;
  };
  auto noCount = [] {
    Bytes b;
    Record(b, 1091, kLoadFromStream, {0, 0, 0});
    U16(b, 0);
    return b;
  };
  const Case cases[] = {{"overlong", overlong()}, {"huge", huge()}, {"stream without its count", noCount()}};
  for (const Case& c : cases) EXPECT_FALSE(ParseDlgInit(c.image.data(), c.image.size())) << c.name;
  EXPECT_FALSE(ParseDlgInit(nullptr, 2));
}

}  // namespace
}  // namespace fw::occ
