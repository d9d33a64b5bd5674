#include "fw/report_caught.h"

#include <windows.h>

#include <exception>

namespace fw {

void ReportCaught(const char* where) noexcept {
  char what[200] = "an exception of unknown type";
  try {
    throw;
  } catch (const std::exception& e) {
    ::lstrcpynA(what, e.what(), sizeof what);
  } catch (...) {
  }
  char line[300];
  // The platform's own formatter: the C runtime's would bring its whole printf
  // machinery into the shipped binaries.
  ::wsprintfA(line, "caught in %.80s: %s\n", where, what);
  ::OutputDebugStringA(line);
}

}  // namespace fw
