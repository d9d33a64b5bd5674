// Every static text of every dialog of the program reads whole in the font the
// dialogs really get (Arial, which the Wine prefix maps to Liberation Sans).
// Dialogs are found by enumerating the module's dialog resources, so a dialog
// added later is checked with no change here.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/handle.h"
#include "res/dialog_labels_test_support.h"
#include "res/resource.h"

namespace {

TEST(DialogLabels, EveryStaticTextOfEveryDialogReadsWhole) {
  const vt_test::ModuleLabels checked = vt_test::CheckEveryDialog(::GetModuleHandleW(nullptr));
  for (const std::string& fault : checked.faults) ADD_FAILURE() << fault;
  bool mainDialog = false;
  for (const auto& dialog : checked.dialogs) mainDialog = mainDialog || dialog.id == IDD_VANTREL_DIALOG;
  EXPECT_TRUE(mainDialog);
  EXPECT_GT(checked.measured, 0u);  // the main window's labels were found and measured
}

// The measurement itself, on statics made to measure: each case sizes its box
// to the extent of `fitTo` plus `slack` pixels, `lines` lines high, at x, y.
// A black frame's lines run along x = 0 and y = 176, a group box's top line
// through the middle of its caption at y = 220. Heights grow with the DPI the
// session runs at: y is given for 96 DPI and scaled, x is not (the cases by
// the frame's left line are a pixel apart).
TEST(DialogLabels, TheCheckTellsWholeFromCut) {
  struct Case {
    const char* what;
    const wchar_t* text;
    DWORD style;
    const wchar_t* fitTo;
    int slack, x, y, lines;
    bool measured, whole;
  };
  const Case cases[] = {
      {"exact fit", L"Memory Utilization :", SS_RIGHT, L"Memory Utilization :", 0, 4, 0, 1, true, true},
      {"a pixel short", L"Memory Utilization :", SS_RIGHT, L"Memory Utilization :", -1, 4, 16, 1, true, false},
      {"prefix draws no marker", L"&Options...", SS_LEFT, L"Options...", 0, 4, 32, 1, true, true},
      {"no prefix draws it", L"&Options...", SS_LEFT | SS_NOPREFIX, L"Options...", 0, 4, 48, 1, true, false},
      {"doubled marker", L"A && B", SS_CENTER, L"A & B", 0, 4, 64, 1, true, true},
      {"left of the dialog", L"Free Space :", SS_LEFTNOWORDWRAP, L"Free Space :", 10, -2, 80, 1, true, false},
      {"two-line box wraps by design", L"Memory Utilization :", SS_LEFT, L"Memory", 0, 4, 96, 2, false, false},
      {"no text", L"", SS_RIGHT, L"x", 0, 4, 128, 1, false, false},
      {"frames draw no text", L"Frame", SS_BLACKFRAME, L"F", 0, 150, 144, 1, false, false},
      {"on a frame line", L"Memory Utilization :", SS_RIGHT, L"Memory Utilization :", 0, 1, 184, 1, true, false},
      {"a pixel off the frame line", L"Memory Utilization :", SS_RIGHT, L"Memory Utilization :", 0, 2, 200, 1, true,
       true},
      {"through a group box's line", L"Used Space :", SS_RIGHT, L"Used Space :", 0, 110, 220, 1, true, false},
      {"below a group box's line", L"Used Space :", SS_RIGHT, L"Used Space :", 0, 110, 240, 1, true, true},
  };
  fw::UniqueDc screen(::CreateCompatibleDC(nullptr));
  const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  auto scaled = [dpi](int y) { return ::MulDiv(y, dpi, 96); };
  fw::UniqueFont font(::CreateFontW(-::MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                    0, 0, 0, L"Arial"));
  HWND host =
      ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 400, scaled(300), nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, host);
  auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, RECT r, int id) {
    HWND w =
        ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, host, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    ::SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    return w;
  };
  ASSERT_NE(nullptr, child(L"Static", L"", SS_BLACKFRAME, {0, scaled(176), 300, scaled(300)}, 1));
  ASSERT_NE(nullptr, child(L"Button", L"Group", BS_GROUPBOX, {100, scaled(220), 300, scaled(300)}, 2));
  {
    fw::SelectScope select(screen.get(), font.get());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen.get(), &metrics);
    ASSERT_LT(metrics.tmHeight, scaled(16));  // one case per row
    int id = 100;
    for (const Case& c : cases) {
      SIZE fit{};
      ::GetTextExtentPoint32W(screen.get(), c.fitTo, static_cast<int>(wcslen(c.fitTo)), &fit);
      const RECT box{c.x, scaled(c.y), c.x + fit.cx + c.slack, scaled(c.y) + c.lines * metrics.tmHeight};
      ASSERT_NE(nullptr, child(L"Static", c.text, c.style, box, id++)) << c.what;
    }
  }

  const std::vector<vt_test::Label> labels = vt_test::MeasureLabels(host);
  int id = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const vt_test::Label* found = nullptr;
    for (const auto& label : labels) found = label.id == id ? &label : found;
    ++id;
    ASSERT_EQ(c.measured, found != nullptr);
    if (found) {
      EXPECT_EQ(c.whole, found->Whole()) << vt_test::Describe({0, L"test"}, *found);
    }
  }
  ::DestroyWindow(host);
}

TEST(DialogLabels, PrefixMarkersDrawAsTheStaticDrawsThem) {
  const struct {
    const wchar_t* text;
    bool prefix;
    const wchar_t* drawn;
  } cases[] = {
      {L"&Options...", true, L"Options..."},
      {L"A && B", true, L"A & B"},
      {L"&&&x", true, L"&x"},
      {L"end&", true, L"end"},
      {L"&Options", false, L"&Options"},
  };
  for (const auto& c : cases) EXPECT_EQ(std::wstring(c.drawn), vt_test::TextAsDrawn(c.text, c.prefix));
}

}  // namespace
