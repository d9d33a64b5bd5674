// A window's text set only when it changes.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// Sets `wnd`'s text unless it shows `text` already: a static repaints itself
// on every new text, and an edit control would lose its selection, so
// refreshing unchanged figures would cost a repaint each for nothing.
void SetWindowTextIfChanged(HWND wnd, const std::string& text);

}  // namespace fw
