#include "fw/window_text.h"

namespace fw {
namespace {

// Asked with one message: a buffer one character longer than `text` tells a
// longer text apart.
template <class Text, class GetText, class SetText>
void SetIfChanged(HWND wnd, const Text& text, GetText get, SetText set) {
  Text shown(text.size() + 2, 0);
  const int got = get(wnd, shown.data(), static_cast<int>(shown.size()));
  if (got == static_cast<int>(text.size()) && shown.compare(0, text.size(), text) == 0) return;
  set(wnd, text.c_str());
}

}  // namespace

void SetWindowTextIfChanged(HWND wnd, const std::string& text) {
  SetIfChanged(wnd, text, ::GetWindowTextA, ::SetWindowTextA);
}

void SetWindowTextIfChanged(HWND wnd, const std::wstring& text) {
  SetIfChanged(wnd, text, ::GetWindowTextW, ::SetWindowTextW);
}

std::wstring WindowTextW(HWND wnd) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(wnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring TreeItemText(HWND tree, HTREEITEM item) {
  // A name of the file system has at most 255 UTF-16 units.
  wchar_t text[MAX_PATH] = {};
  TVITEMW query{};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = MAX_PATH;
  if (!::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) return {};
  return text;
}

}  // namespace fw
