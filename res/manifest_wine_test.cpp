// The application manifest does what it is there for: this test carries
// Vantrel's resources, its manifest among them, so the process runs as
// Vantrel.exe does, with version 6 of the common controls and aware of the
// system DPI.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "fw/handle.h"

namespace {

TEST(Manifest, GivesThemedCommonControlsAndSystemDpiAwareness) {
  // Under version 6 the dialogs' buttons, statics, edits and lists are the
  // common controls' own classes, which know the newer messages; without it
  // they are the window manager's classic ones, which answer this one with 0.
  HWND button = ::CreateWindowExW(0, L"Button", L"Options...", WS_POPUP | BS_PUSHBUTTON, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
  ASSERT_NE(nullptr, button);
  SIZE ideal{};
  EXPECT_TRUE(::SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
  EXPECT_GT(ideal.cx, 0);
  ::DestroyWindow(button);

  // Windows runs a program without the setting unaware and stretches its
  // windows; Wine treats every program as aware, so only Windows can fail this.
  EXPECT_TRUE(::IsProcessDPIAware());
}

// The runs at another DPI (scripts/at-dpi.sh) really get it: without this,
// a prefix that ignored the setting would pass them all at 96.
TEST(Manifest, TheSessionRunsAtTheDpiAsked) {
  const char* asked = std::getenv("VT_DPI");
  fw::WindowDc screen(nullptr);
  EXPECT_EQ(asked ? std::atoi(asked) : 96, ::GetDeviceCaps(screen.get(), LOGPIXELSY));
}

}  // namespace
