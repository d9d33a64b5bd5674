// CTrayIcon: the program's icon in the notification area. It holds the shell's
// notification record; ApplyIcon is the one place that talks to the shell
// (mainwnd/tray_record.h has the rules). The icon leaves the tray when the
// object dies.
#pragma once

#include <windows.h>

#include "fw/handle.h"
#include "mainwnd/tray_record.h"

namespace vantrel {

class CTrayIcon {
 public:
  CTrayIcon() = default;
  ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Clears the record for icon `id`, with string resource `id` (empty when
  // missing) as its tooltip. Nothing is sent to the shell.
  void InitNotifyData(UINT id);
  // The window that hears tray events, as `message`. Nothing is sent.
  void AttachWindow(HWND wnd, UINT message);
  // Icon resource `id` with string `id` as its tooltip; 0 removes the icon.
  BOOL ShowResourceIcon(UINT id);
  // Shows `icon` (none removes it), with `tip` as the tooltip when given.
  BOOL ApplyIcon(HICON icon, const char* tip);
  // A new tooltip; it reaches the shell when the icon is in the tray.
  BOOL SetTooltip(const char* text);
  // Icon resource `iconId` with `text` as the tooltip when given; 0 removes the icon.
  BOOL ShowIconWithTip(UINT iconId, const char* text);
  // The shell rebuilt its tray: icon resource `iconId` goes back in with the
  // current tooltip.
  BOOL RestoreIcon(UINT iconId);
  // The default reaction to a tray event for this icon: the tray menu (menu
  // resource of the icon's id) on a right click, its first item on a double
  // click. 1 when handled.
  LRESULT HandleTrayMessage(WPARAM id, LPARAM event);

  const TrayRecord& Record() const { return nid_.Record(); }

 private:
  TrayNotifyData nid_;
};

// The tray menu resource and its first popup, for one tray event.
class TrayMenu {
 public:
  explicit TrayMenu(UINT id);
  explicit operator bool() const { return popup_ != nullptr; }
  HMENU Popup() const { return popup_; }
  // What a double click on the icon does: the first item's command to `wnd`.
  void RunFirstItem(HWND wnd) const;
  // Opens the menu at the mouse for `wnd`, which receives the chosen
  // command, and returns once it has closed; `flags` as TrackPopupMenu's.
  void Track(HWND wnd, UINT flags) const;

 private:
  fw::UniqueMenu menu_;
  HMENU popup_ = nullptr;
};

}  // namespace vantrel
