#include "mainwnd/tray_icon.h"

#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "fw/wnd.h"

namespace vantrel {
namespace {

// The record is the shell's first NOTIFYICONDATAA layout, field for field.
static_assert(sizeof(TrayRecord) == NOTIFYICONDATAA_V1_SIZE);
static_assert(offsetof(TrayRecord, hWnd) == offsetof(NOTIFYICONDATAA, hWnd));
static_assert(offsetof(TrayRecord, uID) == offsetof(NOTIFYICONDATAA, uID));
static_assert(offsetof(TrayRecord, uFlags) == offsetof(NOTIFYICONDATAA, uFlags));
static_assert(offsetof(TrayRecord, uCallbackMessage) == offsetof(NOTIFYICONDATAA, uCallbackMessage));
static_assert(offsetof(TrayRecord, hIcon) == offsetof(NOTIFYICONDATAA, hIcon));
static_assert(offsetof(TrayRecord, szTip) == offsetof(NOTIFYICONDATAA, szTip));
static_assert(sizeof(TrayRecord::szTip) == 64);
static_assert(NIM_ADD == static_cast<DWORD>(TrayAction::Add) && NIM_MODIFY == static_cast<DWORD>(TrayAction::Modify) &&
              NIM_DELETE == static_cast<DWORD>(TrayAction::Delete));
static_assert(NIF_MESSAGE == kTrayFlagMessage && NIF_ICON == kTrayFlagIcon && NIF_TIP == kTrayFlagTip);

class PlatformShell : public TrayShell {
 public:
  bool Notify(TrayAction action, const TrayRecord& record) override {
    // The shell reads cbSize bytes: the first layout, nothing beyond.
    NOTIFYICONDATAA nid{};
    std::memcpy(&nid, &record, sizeof record);
    return ::Shell_NotifyIconA(static_cast<DWORD>(action), &nid) != FALSE;
  }
};

PlatformShell g_shell;

// Tooltips are ANSI text: a two-byte character of the code page stays whole.
bool IsAnsiLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

HICON LoadProgramIcon(UINT id) { return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)); }

}  // namespace

CTrayIcon::~CTrayIcon() { ShowResourceIcon(0); }

void CTrayIcon::InitNotifyData(UINT id) { nid_.Init(id, fw::LoadResString(id), IsAnsiLeadByte); }

void CTrayIcon::AttachWindow(HWND wnd, UINT message) { nid_.Attach(wnd, message); }

BOOL CTrayIcon::ShowResourceIcon(UINT id) {
  if (id == 0) return ApplyIcon(nullptr, nullptr);
  nid_.SetTip(fw::LoadResString(id), IsAnsiLeadByte);
  return ApplyIcon(LoadProgramIcon(id), nullptr);
}

BOOL CTrayIcon::ApplyIcon(HICON icon, const char* tip) {
  if (tip) nid_.SetTip(tip, IsAnsiLeadByte);
  return nid_.ApplyIcon(icon, g_shell);
}

BOOL CTrayIcon::SetTooltip(const char* text) { return ApplyIcon(static_cast<HICON>(nid_.Record().hIcon), text); }

BOOL CTrayIcon::ShowIconWithTip(UINT iconId, const char* text) {
  if (iconId == 0) return ApplyIcon(nullptr, nullptr);
  return ApplyIcon(LoadProgramIcon(iconId), text);
}

BOOL CTrayIcon::RestoreIcon(UINT iconId) { return nid_.Restore(LoadProgramIcon(iconId), g_shell); }

LRESULT CTrayIcon::HandleTrayMessage(WPARAM id, LPARAM event) {
  const TrayRecord& r = nid_.Record();
  if (id != r.uID || (event != WM_RBUTTONUP && event != WM_LBUTTONDBLCLK)) return 0;
  TrayMenu menu(r.uID);
  if (!menu) return 0;
  HWND wnd = static_cast<HWND>(r.hWnd);
  if (event == WM_RBUTTONUP) {
    ::SetMenuDefaultItem(menu.Popup(), 0, TRUE);
    menu.Track(wnd, 0);
  } else {
    menu.RunFirstItem(wnd);
  }
  return 1;
}

TrayMenu::TrayMenu(UINT id) : menu_(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id))) {
  if (menu_) popup_ = ::GetSubMenu(menu_.get(), 0);
}

void TrayMenu::RunFirstItem(HWND wnd) const { ::SendMessageA(wnd, WM_COMMAND, ::GetMenuItemID(popup_, 0), 0); }

void TrayMenu::Track(HWND wnd, UINT flags) const {
  POINT pt{};
  ::GetCursorPos(&pt);
  // The menu closes when the user clicks elsewhere only if its owner is the
  // foreground window; the message posted after it makes the switch of tasks
  // complete, or the next tray menu would close as soon as it opened.
  ::SetForegroundWindow(wnd);
  ::TrackPopupMenu(popup_, flags, pt.x, pt.y, 0, wnd, nullptr);
  ::PostMessageA(wnd, WM_NULL, 0, 0);
}

}  // namespace vantrel
