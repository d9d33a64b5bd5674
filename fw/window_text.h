// A window's text set only when it changes, and the texts from outside the
// program (paths, file and user names), which travel as UTF-16 through the
// wide functions so that no character is lost to the ANSI code page.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace fw {

// Sets `wnd`'s text unless it shows `text` already: a static repaints itself
// on every new text, and an edit control would lose its selection, so
// refreshing unchanged figures would cost a repaint each for nothing.
void SetWindowTextIfChanged(HWND wnd, const std::string& text);
void SetWindowTextIfChanged(HWND wnd, const std::wstring& text);

std::wstring WindowTextW(HWND wnd);

// The text of a tree control's item; empty for none.
std::wstring TreeItemText(HWND tree, HTREEITEM item);

}  // namespace fw
