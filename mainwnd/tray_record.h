// The tray icon's notification record and the one state machine that talks to
// the shell about it. Window-free: handles are opaque pointers and the shell
// is a seam, so the rules run without the platform. On Windows the record has
// the layout of the shell's first NOTIFYICONDATAA and is handed over as is.
//
// The record says whether the icon is in the tray: hIcon is set exactly while
// the shell holds the icon as far as the program knows. A request the shell
// refuses makes the record forget the icon, so the next request with an icon
// adds it afresh instead of modifying one that is not there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vantrel {

using TrayHandle = void*;  // HWND and HICON on the platform

// The shell's requests and record flags, with the platform's values.
enum class TrayAction : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };
enum : std::uint32_t { kTrayFlagMessage = 0x1, kTrayFlagIcon = 0x2, kTrayFlagTip = 0x4 };

inline constexpr std::size_t kTrayTipBytes = 64;  // terminator included

struct TrayRecord {
  std::uint32_t cbSize = 0;
  TrayHandle hWnd = nullptr;  // receives the callback message
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  TrayHandle hIcon = nullptr;  // the icon in the tray, or none
  char szTip[kTrayTipBytes] = {};
};
// The shell's first layout: 88 bytes for 32-bit programs, 104 for 64-bit ones.
static_assert(sizeof(TrayRecord) == (sizeof(void*) == 4 ? 88 : 104), "first NOTIFYICONDATAA layout");

// True when a byte starts a two-byte character of the program's ANSI code page.
using LeadBytePredicate = bool (*)(unsigned char byte);

// The platform's side: Shell_NotifyIconA.
class TrayShell {
 public:
  virtual bool Notify(TrayAction action, const TrayRecord& record) = 0;

 protected:
  ~TrayShell() = default;
};

// Copies `text` into a tooltip field, terminated. A text of more than 63
// bytes is cut at the last whole character that fits: a two-byte character
// is never split, so the field never ends in a lone lead byte.
void CopyTooltip(char (&field)[kTrayTipBytes], std::string_view text, LeadBytePredicate isLeadByte);

// The state machine over one record.
class TrayNotifyData {
 public:
  // Clears the record and sets its size, icon id and tooltip; the shell hears nothing.
  void Init(std::uint32_t id, std::string_view tip, LeadBytePredicate isLeadByte);
  // The window and message for the shell's callbacks; the shell hears nothing.
  void Attach(TrayHandle wnd, std::uint32_t message);
  void SetTip(std::string_view tip, LeadBytePredicate isLeadByte) { CopyTooltip(record_.szTip, tip, isLeadByte); }

  // Shows `icon` with the record's tooltip (added when the icon is not in the
  // tray, modified when it is; the icon the shell already holds is not sent
  // again), or with no icon removes it. Nothing is asked
  // of the shell to remove an icon that is not there. Returns the shell's answer.
  bool ApplyIcon(TrayHandle icon, TrayShell& shell);
  // The shell has rebuilt its tray: adds `icon` again with the record's
  // tooltip, whether or not the new tray already holds it.
  bool Restore(TrayHandle icon, TrayShell& shell);

  const TrayRecord& Record() const { return record_; }
  bool InTray() const { return record_.hIcon != nullptr; }

 private:
  TrayRecord record_;
};

}  // namespace vantrel
