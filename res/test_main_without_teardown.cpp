// The entry point of the resource tests: it ends the process as soon as the
// cases have run and their results are written, without the modules'
// teardown. 32-bit Wine 8 has crashed there (a SIGSEGV of the Wine process,
// at 144 DPI, rarely) after every case had passed. The program loads none of
// the product's modules as code, so no teardown of ours goes untested.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  std::fflush(nullptr);
  ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(rc));
  return rc;
}
