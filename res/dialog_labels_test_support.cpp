#include "res/dialog_labels_test_support.h"

#include <commctrl.h>

#include <iterator>
#include <string>
#include <utility>

#include "fw/handle.h"
#include "fw/occ/dialog_resource.h"

namespace vt_test {
namespace {

// Destroys a window at the end of a scope.
class OwnedWindow {
 public:
  explicit OwnedWindow(HWND h) : h_(h) {}
  ~OwnedWindow() {
    if (h_) ::DestroyWindow(h_);
  }
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;
  HWND get() const { return h_; }

 private:
  HWND h_;
};

INT_PTR CALLBACK QuietDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

BOOL CALLBACK AddDialogName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) {
  auto* names = reinterpret_cast<std::vector<DialogName>*>(out);
  if (IS_INTRESOURCE(name)) {
    names->push_back({LOWORD(reinterpret_cast<ULONG_PTR>(name)), {}});
  } else {
    names->push_back({0, name});
  }
  return TRUE;
}

// Static styles that draw their window text; the others draw frames, pictures
// or owner-drawn content.
bool DrawsText(LONG style) {
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
      return true;
    default:
      return false;
  }
}

RECT RectIn(HWND dialog, HWND w) {
  RECT r{};
  ::GetClientRect(w, &r);
  ::MapWindowPoints(w, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Which edges of its box a frame or group box draws a line along, and how wide.
struct FrameStyle {
  int width = 0;  // 0: draws no line
  bool top = true, left = true, rightAndBottom = true;
};

FrameStyle FrameStyleOf(const wchar_t* cls, LONG style) {
  if (::lstrcmpiW(cls, L"Button") == 0) return (style & BS_TYPEMASK) == BS_GROUPBOX ? FrameStyle{2} : FrameStyle{};
  if (::lstrcmpiW(cls, L"Static") != 0) return {};
  switch (style & SS_TYPEMASK) {
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
      return {1};
    case SS_ETCHEDFRAME:
      return {2};
    case SS_ETCHEDHORZ:
      return {2, true, false, false};
    case SS_ETCHEDVERT:
      return {2, false, true, false};
    default:
      return {};
  }
}

// The lines that frames and group boxes draw, each widened by a pixel of
// clearance: text that meets one merges with the line.
std::vector<RECT> FrameLines(HWND dialog) {
  std::vector<RECT> lines;
  for (HWND w = ::GetWindow(dialog, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    wchar_t cls[16] = {};
    ::GetClassNameW(w, cls, static_cast<int>(std::size(cls)));
    const FrameStyle frame = FrameStyleOf(cls, ::GetWindowLongW(w, GWL_STYLE));
    if (frame.width == 0) continue;
    RECT r = RectIn(dialog, w);
    if (::lstrcmpiW(cls, L"Button") == 0 && ::GetWindowTextLengthW(w) > 0) {
      // A group box's top line runs through the middle of its caption.
      fw::WindowDc dc(w);
      fw::SelectScope select(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(w, WM_GETFONT, 0, 0)));
      TEXTMETRICW metrics{};
      ::GetTextMetricsW(dc.get(), &metrics);
      r.top += metrics.tmHeight / 2 - 1;
    }
    const int n = frame.width;
    const std::pair<bool, RECT> edges[] = {{frame.top, {r.left, r.top, r.right, r.top + n}},
                                           {frame.left, {r.left, r.top, r.left + n, r.bottom}},
                                           {frame.rightAndBottom, {r.right - n, r.top, r.right, r.bottom}},
                                           {frame.rightAndBottom, {r.left, r.bottom - n, r.right, r.bottom}}};
    for (auto [drawn, line] : edges) {
      if (!drawn) continue;
      ::InflateRect(&line, 1, 1);
      lines.push_back(line);
    }
  }
  return lines;
}

// Where a static puts a text of `extent` in its box.
RECT TextRect(LONG style, const RECT& box, SIZE extent) {
  const LONG width = box.right - box.left;
  LONG left = box.left;
  if ((style & SS_TYPEMASK) == SS_RIGHT) left = box.right - extent.cx;
  if ((style & SS_TYPEMASK) == SS_CENTER) left = box.left + (width - extent.cx) / 2;
  return RECT{left, box.top, left + extent.cx, box.top + extent.cy};
}

std::wstring WindowText(HWND w) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(w)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string Utf8(const std::wstring& w) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace

std::wstring TextAsDrawn(const std::wstring& text, bool prefix) {
  if (!prefix) return text;
  std::wstring drawn;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&') {
      ++i;  // the marker itself draws nothing; "&&" leaves the second one
      if (i == text.size()) break;
    }
    drawn += text[i];
  }
  return drawn;
}

std::vector<Label> MeasureLabels(HWND dialog) {
  RECT client{};
  ::GetClientRect(dialog, &client);
  const std::vector<RECT> lines = FrameLines(dialog);
  std::vector<Label> labels;
  for (HWND w = ::GetWindow(dialog, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    wchar_t cls[16] = {};
    ::GetClassNameW(w, cls, static_cast<int>(std::size(cls)));
    const LONG style = ::GetWindowLongW(w, GWL_STYLE);
    if (::lstrcmpiW(cls, L"Static") != 0 || !DrawsText(style)) continue;
    Label label;
    label.id = static_cast<short>(::GetDlgCtrlID(w));
    label.text = TextAsDrawn(WindowText(w), (style & SS_NOPREFIX) == 0);
    if (label.text.empty()) continue;

    // A static without a font of its own draws in the system font.
    auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(w, WM_GETFONT, 0, 0));
    fw::WindowDc dc(w);
    fw::SelectScope select(dc.get(), font ? font : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    label.box = RectIn(dialog, w);
    if (label.box.bottom - label.box.top >= 2 * metrics.tmHeight) continue;
    ::GetTextExtentPoint32W(dc.get(), label.text.c_str(), static_cast<int>(label.text.size()), &label.extent);
    label.inDialog = label.box.left >= client.left && label.box.top >= client.top && label.box.right <= client.right &&
                     label.box.bottom <= client.bottom;
    const RECT text = TextRect(style, label.box, label.extent);
    label.clearOfLines = true;
    for (const RECT& line : lines) {
      RECT meet{};
      if (::IntersectRect(&meet, &text, &line)) label.clearOfLines = false;
    }
    labels.push_back(std::move(label));
  }
  return labels;
}

std::string DialogName::ToString() const { return text.empty() ? std::to_string(id) : Utf8(text); }

std::string Describe(const DialogName& dialog, const Label& label) {
  return "dialog " + dialog.ToString() + ", control " + std::to_string(label.id) + " \"" + Utf8(label.text) +
         "\": text " + std::to_string(label.extent.cx) + " x " + std::to_string(label.extent.cy) + ", box " +
         std::to_string(label.box.right - label.box.left) + " x " + std::to_string(label.box.bottom - label.box.top) +
         " at (" + std::to_string(label.box.left) + ", " + std::to_string(label.box.top) + ")" +
         (label.inDialog ? "" : ", reaching out of the dialog") + (label.clearOfLines ? "" : ", on a frame line");
}

ModuleLabels CheckEveryDialog(HMODULE module) {
  // Dialogs may hold any of the common controls.
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  ModuleLabels out;
  ::EnumResourceNamesW(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, &AddDialogName,
                       reinterpret_cast<LONG_PTR>(&out.dialogs));
  OwnedWindow parent(::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr));
  for (const DialogName& name : out.dialogs) {
    const auto resource = fw::occ::LoadDialogResource(module, name.get());
    OwnedWindow dialog(resource ? ::CreateDialogIndirectParamW(module, fw::occ::TemplateOf(resource->split),
                                                               parent.get(), &QuietDialogProc, 0)
                                : nullptr);
    if (!dialog.get()) {
      out.faults.push_back("dialog " + name.ToString() + " cannot be created, error " +
                           std::to_string(resource ? ::GetLastError() : ERROR_RESOURCE_DATA_NOT_FOUND));
      continue;
    }
    for (const Label& label : MeasureLabels(dialog.get())) {
      ++out.measured;
      if (!label.Whole()) out.faults.push_back(Describe(name, label));
    }
  }
  return out;
}

}  // namespace vt_test
