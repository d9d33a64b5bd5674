// The colour rule of the program's windows, shared by the main window and the
// secondary windows that follow it: the window's default colouring runs first
// and its brush is returned; then the text colour is set by the kind of
// control that asks. Edits and lists (a drop-down list's face and its list
// included) take the list colour, statics (labels and value texts) the label
// colour; every other kind keeps the default colours. In high contrast the
// user's colours are left unused and every kind keeps the system's.
#pragma once

#include <windows.h>

#include "fw/high_contrast.h"

namespace vantrel {

struct TextColours {
  COLORREF label;  // static controls
  COLORREF list;   // edit and list controls
};

// `msg` is the WM_CTLCOLOR* message, `dc` its device context; `fallback`
// runs the default handling and gives the brush.
template <class Fallback>
LRESULT ApplyColourRule(UINT msg, HDC dc, const TextColours& colours, Fallback&& fallback) {
  const LRESULT brush = fallback();
  if (fw::HighContrastOn()) return brush;
  if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX)
    ::SetTextColor(dc, colours.list);
  else if (msg == WM_CTLCOLORSTATIC)
    ::SetTextColor(dc, colours.label);
  return brush;
}

}  // namespace vantrel
