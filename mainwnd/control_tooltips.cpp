#include "mainwnd/control_tooltips.h"

#include "fw/wnd.h"

namespace vantrel {
namespace {

void AddTool(HWND tip, HWND dialog, UINT flags, UINT_PTR id, const RECT& rect) {
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.uFlags = flags;
  ti.hwnd = dialog;
  ti.uId = id;
  ti.rect = rect;
  ti.lpszText = LPSTR_TEXTCALLBACKA;
  ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace

HWND CreateControlToolTips(HWND dialog) {
  HWND tip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (!tip) return nullptr;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    // Labels and frames have no tooltip; left without a tool they are also
    // spared the tooltip's subclass, which costs every message they get.
    const int id = ::GetDlgCtrlID(child);
    if (id <= 0 || id == 0xFFFF) continue;
    AddTool(tip, dialog, TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(child), RECT{});
    RECT rc{};
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    AddTool(tip, dialog, TTF_SUBCLASS, static_cast<UINT_PTR>(id), rc);
  }
  return tip;
}

UINT ToolTipControlId(const NMHDR& request) {
  // Both request layouts start with the header; the flags follow the text
  // buffer, whose size differs, so read them through the matching layout.
  const UINT flags = request.code == TTN_NEEDTEXTW ? reinterpret_cast<const NMTTDISPINFOW&>(request).uFlags
                                                   : reinterpret_cast<const NMTTDISPINFOA&>(request).uFlags;
  if (flags & TTF_IDISHWND) return static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(request.idFrom)));
  return static_cast<UINT>(request.idFrom);
}

std::optional<std::string> ToolTipTextFor(UINT controlId) {
  if (controlId == 0) return std::nullopt;
  return fw::LoadResString(controlId);
}

bool AnswerToolTipRequest(NMHDR* request) {
  const std::optional<std::string> text = ToolTipTextFor(ToolTipControlId(*request));
  if (!text) return false;
  if (request->code == TTN_NEEDTEXTA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(request);
    ::lstrcpynA(info->szText, text->c_str(), sizeof info->szText);
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(request);
    ::MultiByteToWideChar(CP_ACP, 0, text->c_str(), -1, info->szText, ARRAYSIZE(info->szText));
    info->szText[ARRAYSIZE(info->szText) - 1] = L'\0';
  }
  return true;
}

}  // namespace vantrel
