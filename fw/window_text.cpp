#include "fw/window_text.h"

namespace fw {

void SetWindowTextIfChanged(HWND wnd, const std::string& text) {
  // Asked with one message: a buffer one character longer than `text` tells
  // a longer text apart.
  std::string shown(text.size() + 2, '\0');
  const int got = ::GetWindowTextA(wnd, shown.data(), static_cast<int>(shown.size()));
  if (got == static_cast<int>(text.size()) && shown.compare(0, text.size(), text) == 0) return;
  ::SetWindowTextA(wnd, text.c_str());
}

}  // namespace fw
