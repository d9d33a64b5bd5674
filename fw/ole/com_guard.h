// No exception may leave a COM method: Guarded runs a method's body and turns
// whatever escapes it into the method's error code.
#pragma once

#include <windows.h>

#include <new>

#include "fw/report_caught.h"

namespace fw::ole {

// body() -> HRESULT. Running out of memory gives E_OUTOFMEMORY, any other
// exception E_UNEXPECTED.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    ReportCaught("a COM method");
    return E_UNEXPECTED;
  }
}

}  // namespace fw::ole
