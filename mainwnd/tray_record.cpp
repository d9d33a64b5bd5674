#include "mainwnd/tray_record.h"

#include <cstring>

namespace vantrel {

void CopyTooltip(char (&field)[kTrayTipBytes], std::string_view text, LeadBytePredicate isLeadByte) {
  std::size_t end = 0;
  if (text.size() < kTrayTipBytes) {
    end = text.size();
  } else {
    // Character boundaries are only known from the start of the text.
    for (std::size_t i = 0; i < text.size();) {
      const bool pair = isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
      const std::size_t next = i + (pair ? 2 : 1);
      if (next > kTrayTipBytes - 1) break;
      i = end = next;
    }
  }
  std::memcpy(field, text.data(), end);
  field[end] = '\0';
}

void TrayNotifyData::Init(std::uint32_t id, std::string_view tip, LeadBytePredicate isLeadByte) {
  record_ = TrayRecord{};
  record_.cbSize = sizeof record_;
  record_.uID = id;
  SetTip(tip, isLeadByte);
}

void TrayNotifyData::Attach(TrayHandle wnd, std::uint32_t message) {
  record_.hWnd = wnd;
  record_.uCallbackMessage = message;
}

bool TrayNotifyData::ApplyIcon(TrayHandle icon, TrayShell& shell) {
  record_.uFlags = 0;
  TrayAction action = TrayAction::Delete;
  if (icon) {
    action = record_.hIcon ? TrayAction::Modify : TrayAction::Add;
    // The shell keeps the icon it holds, so a new tooltip alone leaves it out:
    // with it, the tray's process would rebuild the icon on every refresh.
    if (action == TrayAction::Add || icon != record_.hIcon) record_.uFlags = kTrayFlagIcon;
    record_.hIcon = icon;
  } else if (!record_.hIcon) {
    return true;
  }
  if (record_.szTip[0] != '\0') record_.uFlags |= kTrayFlagTip;
  if (record_.uCallbackMessage != 0 && record_.hWnd) record_.uFlags |= kTrayFlagMessage;
  const bool ok = shell.Notify(action, record_);
  if (action == TrayAction::Delete || !ok) record_.hIcon = nullptr;
  return ok;
}

bool TrayNotifyData::Restore(TrayHandle icon, TrayShell& shell) {
  // A tray that came up after the icon was last shown may hold it already:
  // take it out first, so the add that follows cannot be refused as a double.
  record_.uFlags = 0;
  shell.Notify(TrayAction::Delete, record_);
  record_.hIcon = nullptr;
  return ApplyIcon(icon, shell);
}

}  // namespace vantrel
