// ANSI text for the platform's wide entry points.
#pragma once

#include <windows.h>

#include "fw/handle.h"

namespace fw::ole {

// `text` in the ANSI code page as a BSTR; throws std::bad_alloc when out of
// memory, as a standard string would.
UniqueBstr WideText(const char* text);

}  // namespace fw::ole
