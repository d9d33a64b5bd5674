// Tooltips of a dialog's controls: the text of a control's tooltip is the
// string resource whose id is the control's id.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

namespace vantrel {

// Creates a tooltip window owned by `dialog` with tools for every child
// control: one on the control itself, and for controls with an id one on its
// place in the dialog, which sees the mouse over disabled controls (they get
// no mouse messages of their own). Null when the tooltip cannot be created.
HWND CreateControlToolTips(HWND dialog);

// The control id a tooltip text request names, or 0.
UINT ToolTipControlId(const NMHDR& request);

// The text for a control: none for id 0, the (possibly empty) string
// resource with the control's id otherwise.
std::optional<std::string> ToolTipTextFor(UINT controlId);

// Answers TTN_NEEDTEXTA/W; false when the request is refused.
bool AnswerToolTipRequest(NMHDR* request);

}  // namespace vantrel
