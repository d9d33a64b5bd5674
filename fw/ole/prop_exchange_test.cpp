#include "fw/ole/prop_exchange.h"

#include <gtest/gtest.h>

namespace fw::ole {
namespace {

TEST(PropExchange, WriterLayout) {
  StreamWriter w;
  std::int32_t v = -2;
  bool t = true, f = false;
  w.Long("a", v, 0);
  w.Bool("b", t, false);
  w.Bool("c", f, true);
  EXPECT_EQ(w.Bytes(), (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF, 1, 0}));
}

TEST(PropExchange, ReaderAnyNonZeroByteIsTrue) {
  const std::uint8_t data[] = {0x78, 0x56, 0x34, 0x12, 0xED, 0x00};
  StreamReader r(data, sizeof data);
  std::int32_t v = 0;
  bool a = false, b = true;
  EXPECT_TRUE(r.Long("v", v, 0));
  EXPECT_TRUE(r.Bool("a", a, false));
  EXPECT_TRUE(r.Bool("b", b, false));
  EXPECT_EQ(v, 0x12345678);
  EXPECT_TRUE(a);
  EXPECT_FALSE(b);
  EXPECT_TRUE(r.Ok());
}

TEST(PropExchange, ReaderFailsStickyWhenShort) {
  const std::uint8_t data[] = {1, 2, 3, 4, 5};
  StreamReader r(data, 3);
  std::int32_t v = 9;
  bool b = false;
  EXPECT_FALSE(r.Long("v", v, 0));
  EXPECT_EQ(v, 9);
  EXPECT_FALSE(r.Bool("b", b, false));  // a byte remains, but the exchange already failed
  EXPECT_FALSE(r.Ok());
}

TEST(PropExchange, BaseKeepsExtentOnFailure) {
  const std::uint8_t data[] = {1, 0, 0, 0, 2, 0, 0};
  StreamReader r(data, sizeof data);
  Extent e{5, 6};
  EXPECT_FALSE(ExchangeBase(r, e, e));
  EXPECT_EQ(e.cx, 5);
  EXPECT_EQ(e.cy, 6);
}

}  // namespace
}  // namespace fw::ole
