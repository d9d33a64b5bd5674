#include "gauge/gauge_props.h"

#include <gtest/gtest.h>

namespace zelbo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What the control's stream save and load do with the exchange.
Bytes Save(GaugeState s, fw::ole::Extent e) {
  fw::ole::StreamWriter w;
  EXPECT_TRUE(ExchangeProps(w, e, s));
  return w.Bytes();
}
bool Load(const Bytes& b, std::size_t size, fw::ole::Extent& e, GaugeState& s) {
  fw::ole::StreamReader r(b.data(), size);
  return ExchangeProps(r, e, s);
}

TEST(GaugeProps, StreamLayout) {
  GaugeState s;
  s.SetPercent(true);
  const Bytes b = Save(s, {3784, 370});
  EXPECT_EQ(b, (Bytes{0x00, 0x00, 0x01, 0x00, 0xC8, 0x0E, 0, 0, 0x72, 0x01, 0, 0, 0, 0, 0, 0, 0, 1}));
  ASSERT_EQ(b.size(), kStreamBytes);
}

TEST(GaugeProps, RoundTrip) {
  for (int bits = 0; bits < 4; ++bits) {
    GaugeState s;
    s.SetReverseScheme(bits & 1);
    s.SetPercent(bits & 2);
    const Bytes b = Save(s, {-5, 123456});
    GaugeState t;
    fw::ole::Extent e;
    ASSERT_TRUE(Load(b, b.size(), e, t));
    EXPECT_EQ(t.ReverseScheme(), s.ReverseScheme());
    EXPECT_EQ(t.Percent(), s.Percent());
    EXPECT_EQ(e.cx, -5);
    EXPECT_EQ(e.cy, 123456);
  }
}

// The records a host dialog carries, after their leading 32-bit count.
TEST(GaugeProps, HostRecordsLoad) {
  const Bytes records[] = {
      {0, 0, 1, 0, 0xC8, 0x0E, 0, 0, 0x72, 0x01, 0, 0, 0, 0, 0, 0, 0x00, 0xED, 0x26, 0x05},
      {0, 0, 1, 0, 0xC8, 0x0E, 0, 0, 0x72, 0x01, 0, 0, 0, 0, 0, 0, 0x00, 0x2C, 0x45, 0x00},
  };
  for (const Bytes& r : records) {
    GaugeState s;
    s.SetReverseScheme(true);
    fw::ole::Extent e;
    fw::ole::StreamReader reader(r.data(), r.size());
    ASSERT_TRUE(ExchangeProps(reader, e, s));
    EXPECT_EQ(reader.Consumed(), kStreamBytes);  // the record's tail is not the gauge's
    EXPECT_FALSE(s.ReverseScheme());
    EXPECT_TRUE(s.Percent());
    EXPECT_EQ(e.cx, 3784);
    EXPECT_EQ(e.cy, 370);
  }
}

TEST(GaugeProps, OtherVersionIsConverted) {
  Bytes b{0x02, 0, 0x03, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x00};
  GaugeState s;
  fw::ole::Extent e;
  EXPECT_TRUE(Load(b, b.size(), e, s));
  EXPECT_TRUE(s.ReverseScheme());
  EXPECT_FALSE(s.Percent());
}

// A short stream changes nothing by itself; the control then resets, which
// clears the properties and keeps the extent and the run-time state.
TEST(GaugeProps, ShortStreamFailsThenResetClears) {
  GaugeState model;
  model.SetReverseScheme(true);
  model.SetPercent(true);
  const Bytes full = Save(model, {10, 20});
  for (std::size_t n = 0; n < kStreamBytes; ++n) {
    SCOPED_TRACE(n);
    GaugeState s = model;
    s.SetPos(40);
    fw::ole::Extent e{1, 2};
    EXPECT_FALSE(Load(full, n, e, s));
    EXPECT_TRUE(s.ReverseScheme());
    EXPECT_TRUE(s.Percent());
    EXPECT_EQ(e.cx, 1);
    EXPECT_EQ(e.cy, 2);

    fw::ole::ResetExchange reset;
    EXPECT_TRUE(ExchangeProps(reset, e, s));
    EXPECT_FALSE(s.ReverseScheme());
    EXPECT_FALSE(s.Percent());
    EXPECT_EQ(s.Pos(), 40);
    EXPECT_EQ(e.cx, 1);
    EXPECT_EQ(e.cy, 2);
  }
}

}  // namespace
}  // namespace zelbo
