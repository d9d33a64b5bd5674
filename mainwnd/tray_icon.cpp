#include "mainwnd/tray_icon.h"

#include <cstring>

namespace vantrel {

void CTrayIcon::InitNotifyData(UINT id) {
  m_nid = NOTIFYICONDATAA{};
  m_nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  m_nid.uID = id;
  m_nid.uFlags = NIF_TIP;
}

void CTrayIcon::SetTooltip(const std::string& text) {
  const size_t n = text.size() < sizeof m_nid.szTip - 1 ? text.size() : sizeof m_nid.szTip - 1;
  std::memcpy(m_nid.szTip, text.data(), n);
  m_nid.szTip[n] = '\0';
  if (m_bAdded) {
    m_nid.uFlags = NIF_TIP;
    ::Shell_NotifyIconA(NIM_MODIFY, &m_nid);
  }
}

}  // namespace vantrel
