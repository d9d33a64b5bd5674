// Finds another program's top-level window by whatever tells it apart: its
// process, title, class, owner, size or state. EnumWindows takes only a plain
// callback (stdcall on 32-bit, which no lambda converts to), so the one
// callback here carries the caller's test through its LPARAM.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace fw {

inline std::string WindowText(HWND wnd) {
  char text[256] = {};
  ::GetWindowTextA(wnd, text, sizeof text);
  return text;
}

inline std::string ClassOf(HWND wnd) {
  char name[256] = {};
  ::GetClassNameA(wnd, name, sizeof name);
  return name;
}

// The process that created the window.
inline DWORD ProcessOf(HWND wnd) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  return pid;
}

namespace detail {
struct TopWindowSearch {
  const std::function<bool(HWND)>& match;
  HWND found;
};

inline BOOL CALLBACK MatchTopWindow(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<TopWindowSearch*>(lp);
  if (!s->match(wnd)) return TRUE;
  s->found = wnd;
  return FALSE;
}
}  // namespace detail

// The first top-level window in z-order, topmost first, for which `match`
// holds; null when none does.
inline HWND FindTopWindow(const std::function<bool(HWND)>& match) {
  detail::TopWindowSearch s{match, nullptr};
  ::EnumWindows(&detail::MatchTopWindow, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace fw
