#include "fw/ole/reg_entries.h"

#include <gtest/gtest.h>

namespace fw::ole {
namespace {

TEST(RegEntries, MissingTypeNameFallsBackToClsid) {
  ControlClassInfo c{"{X}", "P.1", "", "C:\\M.OCX", 1, 5, "{L}", "1.0"};
  const auto e = ControlEntries(c);
  EXPECT_EQ(e[0], (RegEntry{"P.1", "", "{X}"}));
  EXPECT_EQ(e[2], (RegEntry{"CLSID\\{X}", "", "{X}"}));
  EXPECT_EQ(PageEntries({"{Y}", "", "m"})[0], (RegEntry{"CLSID\\{Y}", "", "{Y}"}));
}

TEST(RegEntries, KeysToDelete) {
  EXPECT_EQ(KeysToDelete("{X}", "P.1", false), (std::vector<std::string>{"CLSID\\{X}", "P.1"}));
  EXPECT_EQ(KeysToDelete("{X}", "", false), (std::vector<std::string>{"CLSID\\{X}"}));
  EXPECT_EQ(KeysToDelete("{X}", "P.1", true),
            (std::vector<std::string>{"CLSID\\{X}\\InprocServer32", "CLSID\\{X}\\ToolboxBitmap32"}));
}

}  // namespace
}  // namespace fw::ole
