// The portable archive, unzipped into a folder of a fresh prefix where nothing
// is registered (scripts/portable_test.sh, which also checks that the
// machine's registry is the same afterwards): Vantrel.exe starts from there,
// its four gauges show and are drawn by the module beside it, and Exit in
// its tray menu ends it.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gauge/zelbo_ids.h"
#include "mainwnd/e2e_test_harness.h"
#include "res/resource.h"

namespace vantrel::e2e {
namespace {

TEST(Portable, StartsWithNothingRegisteredShowsItsFourGaugesAndEndsOnExit) {
  const char* folder = std::getenv("VT_PORTABLE");
  ASSERT_NE(folder, nullptr) << "run by scripts/portable_test.sh";
  // No host without the module's manifest finds the gauge.
  ASSERT_EQ(::CoInitialize(nullptr), S_OK);
  IUnknown* gauge = nullptr;
  EXPECT_EQ(::CoCreateInstance(zelbo::ToGuid(zelbo::kCtrlClsid), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&gauge)),
            REGDB_E_CLASSNOTREG);
  ::CoUninitialize();

  VantrelProcess app;
  ASSERT_TRUE(app.Start("/Embedding", std::string(folder) + "\\Vantrel.exe"));
  HWND dlg = app.WaitForWindow(kMainTitle);
  ASSERT_NE(dlg, nullptr);
  for (int id : {IDC_GAUGE_FREE_MEMORY, IDC_GAUGE_MEMORY_LOAD, IDC_GAUGE_DRIVE_USED, IDC_GAUGE_DRIVE_FREE}) {
    HWND g = ::GetDlgItem(dlg, id);
    ASSERT_NE(g, nullptr) << id;
    EXPECT_TRUE(::IsWindowVisible(g)) << id;
    // The gauge's bevelled frame, as the control draws it.
    EXPECT_TRUE(WaitFor([&] { return ScreenPixels::Of(g).Has(RGB(100, 100, 100)); })) << id;
  }
  ::PostMessageA(dlg, WM_COMMAND, ID_TRAY_EXIT, 0);
  EXPECT_EQ(app.WaitForExit(), 0);
}

}  // namespace
}  // namespace vantrel::e2e
