// CTrayIcon: the notification-area icon's record. Other windows change only
// its tooltip; the record keeps the text so the icon shows it when it is in
// the tray.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace vantrel {

class CTrayIcon {
 public:
  // Prepares the record: icon id `id`, no window yet, empty tooltip.
  void InitNotifyData(UINT id);
  // Sets the tooltip text (cut to what the record holds) and updates the
  // icon when it is in the tray.
  void SetTooltip(const std::string& text);
  std::string Tooltip() const { return m_nid.szTip; }
  UINT Id() const { return m_nid.uID; }
  bool IsInTray() const { return m_bAdded; }

 private:
  NOTIFYICONDATAA m_nid{};
  bool m_bAdded = false;
};

}  // namespace vantrel
