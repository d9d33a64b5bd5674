#include "fw/ole/wide_text.h"

#include <new>

namespace fw::ole {

UniqueBstr WideText(const char* text) {
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  // n counts the terminator, which the BSTR adds itself.
  UniqueBstr wide(::SysAllocStringLen(nullptr, n > 0 ? n - 1 : 0));
  if (!wide) throw std::bad_alloc();
  if (n > 1) ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.get(), n);
  return wide;
}

}  // namespace fw::ole
