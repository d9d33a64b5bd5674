#include "views/size_format.h"

#include <gtest/gtest.h>

#include <climits>

namespace vantrel {
namespace {

TEST(SizeFormat, SizeInUnit) {
  struct Case {
    std::uint64_t bytes;
    int unit;
    const char* text;
  };
  const Case cases[] = {
      {1, 0, "1 Byte(s)"},
      {4096, 0, "4096 Byte(s)"},
      {0, 0, "0 Byte(s)"},
      {1, 1, " <1 KB"},
      {511, 1, " <1 KB"},
      {512, 1, " <1 KB"},  // half a unit does not lift a zero quotient
      {1023, 1, " <1 KB"},
      {1024, 1, "1 KB"},
      {1535, 1, "1 KB"},
      {1536, 1, "1.5 KB"},
      {2047, 1, "1.5 KB"},
      {2048, 1, "2 KB"},
      {4096, 1, "4 KB"},
      {1048575, 2, " <1 MB"},
      {1048576, 2, "1 MB"},
      {1572863, 2, "1 MB"},
      {1572864, 2, "1.5 MB"},
      {1073741823, 3, " <1 GB"},
      {1073741824, 3, "1 GB"},
      {1610612735, 3, "1 GB"},
      {1610612736, 3, "1.5 GB"},
      {5000000000, 3, "4.5 GB"},  // quotient 4, remainder 705032704
      {UINT64_MAX, 0, "18446744073709551615 Byte(s)"},
      {UINT64_MAX, 3, "17179869183.5 GB"},
      {2048, -1, "2048 Byte(s)"},  // out-of-range positions take the nearest end
      {1610612736, 9, "1.5 GB"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatSizeInUnit(c.bytes, c.unit), c.text) << c.bytes << " in " << c.unit;
}

TEST(SizeFormat, DirectoryPairs) {
  struct Case {
    std::uint64_t actual, used;
    int unit;
    const char* actualText;
    const char* usedText;
  };
  const Case cases[] = {
      {100, 4096, 1, " <1 KB", "4 KB"}, {1536, 4096, 1, "1.5 KB", "4 KB"},
      {1, 4096, 2, " <1 MB", " <1 MB"}, {1, 4096, 0, "1 Byte(s)", "4096 Byte(s)"},
      {1, 4096, 1, " <1 KB", "4 KB"},   {0, 0, 2, "Empty", ""},
      {0, 4096, 0, "Empty", ""},        {0, 1073741824, 3, "Empty", ""},
  };
  for (const Case& c : cases) {
    const DirectorySizeTexts t = FormatDirectorySizes(c.actual, c.used, c.unit);
    EXPECT_EQ(t.actual, c.actualText) << c.actual << "/" << c.used << " in " << c.unit;
    EXPECT_EQ(t.spaceUsed, c.usedText) << c.actual << "/" << c.used << " in " << c.unit;
  }
}

TEST(SizeFormat, DrivePercent) {
  struct Case {
    std::uint64_t used, total;
    const char* text;
    int bar;
  };
  constexpr std::uint64_t kTotal = 2147483648;
  const Case cases[] = {
      {4096, kTotal, "<1%", 0},
      {21474836, kTotal, "<1%", 0},  // 2147483600 / total is just under 1
      {21474837, kTotal, "1%", 1},
      {1073741824, kTotal, "50%", 50},
      {2147479552, kTotal, "99%", 99},  // never rounded up
      {kTotal, kTotal, "100%", 100},
      {3 * kTotal, kTotal, "300%", 300},  // no clamp, the bar gets the same figure
      {0, kTotal, "<1%", 0},
      // Beyond what used * 100 can hold in 64 bits, and beyond an int bar.
      {UINT64_MAX, 1, "1844674407370955161500%", INT_MAX},
      {UINT64_MAX, UINT64_MAX, "100%", 100},
  };
  for (const Case& c : cases) {
    const DrivePercent p = FormatDrivePercent(c.used, c.total);
    EXPECT_EQ(p.text, c.text) << c.used << "/" << c.total;
    EXPECT_EQ(p.bar, c.bar) << c.used << "/" << c.total;
  }
}

}  // namespace
}  // namespace vantrel
