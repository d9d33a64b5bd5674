// The frame every end-to-end test of Vantrel.exe runs in. The program reads
// its settings at start and writes them at exit, so each test starts from an
// empty store and leaves one behind. The program takes its gauges from the
// module beside it, registered or not; each test program registers that
// module all the same, as an installation does, which the program must bear.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "mainwnd/e2e_test_harness.h"

namespace vantrel::e2e {

class ProgramTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(RegisterGauge()); }
  void SetUp() override { ClearStore(); }
  void TearDown() override { ClearStore(); }

  // Starts `run` and returns its main window once shown, null when it does
  // not show. "/Embedding" spares the tests the splash's four seconds.
  static HWND Start(VantrelProcess& run, const std::string& args = "/Embedding") {
    EXPECT_TRUE(run.Start(args));
    HWND dlg = run.WaitForWindow(kMainTitle);
    EXPECT_NE(dlg, nullptr) << "no window \"" << kMainTitle << "\"";
    return dlg;
  }
  // Starts the test's own program, whose main window `main` then holds.
  HWND Start(const std::string& args = "/Embedding") { return main = Start(app, args); }

  // Ends `run` as the Escape key does: a normal exit, with code 0.
  static void End(VantrelProcess& run, HWND dlg) {
    EndWithEscape(dlg);
    ASSERT_EQ(run.WaitForExit(), 0);
  }
  void End(HWND dlg) { End(app, dlg); }

  VantrelProcess app;
  HWND main = nullptr;
};

// For tests that each look at one program, started before the test over the
// settings StoreSettings writes, and ended after it.
class StartedProgramTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    StoreSettings();
    ASSERT_NE(Start(), nullptr);
  }
  void TearDown() override {
    if (main) End(main);
    ProgramTest::TearDown();
  }
  virtual void StoreSettings() {}
};

}  // namespace vantrel::e2e
