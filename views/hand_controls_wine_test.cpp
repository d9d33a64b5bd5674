// The cursor rule and the control subclasses, with the program's own cursor
// resources linked into this test.
#include "views/hand_controls.h"

#include <gtest/gtest.h>
#include <commctrl.h>

namespace vantrel {
namespace {

HCURSOR ProgramCursor(int id) { return ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)); }

class ControlHost : public ::testing::Test {
 protected:
  void SetUp() override {
    parent =
        ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
  }
  void TearDown() override { ::DestroyWindow(parent); }
  HWND Child(const char* cls, DWORD style) {
    return ::CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 10, 10, 100, 80, parent, nullptr, nullptr,
                             nullptr);
  }
  // What a control answers when the mouse moves over it.
  LRESULT SetCursorOver(HWND control, WORD hit) {
    ::SetCursor(nullptr);
    return ::SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(hit, WM_MOUSEMOVE));
  }
  HWND parent = nullptr;
};

TEST_F(ControlHost, SubclassesShowTheirCursorOverEveryPart) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  CHandComboBox combo;
  CHandListBox list;
  CHandSliderCtrl slider;
  ASSERT_TRUE(combo.SubclassWindow(Child("COMBOBOX", CBS_DROPDOWNLIST)));
  ASSERT_TRUE(list.SubclassWindow(Child("LISTBOX", WS_VSCROLL)));
  ASSERT_TRUE(slider.SubclassWindow(Child(TRACKBAR_CLASSA, 0)));
  const struct {
    fw::CWnd& control;
    int cursor;
  } cases[] = {{combo, IDCUR_POINTING_HAND}, {list, IDCUR_POINTING_HAND}, {slider, IDCUR_OPEN_HAND}};
  for (const auto& c : cases) {
    for (WORD hit : {HTCLIENT, HTVSCROLL, HTBORDER}) {
      EXPECT_EQ(SetCursorOver(c.control.m_hWnd, hit), TRUE);
      EXPECT_EQ(::GetCursor(), ProgramCursor(c.cursor)) << c.cursor << " hit " << hit;
    }
  }
}

TEST(CursorRule, MissingCursorFallsBackToDefaultHandling) {
  int fallbacks = 0;
  ::SetCursor(nullptr);
  EXPECT_EQ(ApplyCursorRule(4321, [&] { return ++fallbacks, LRESULT{7}; }), 7);
  EXPECT_EQ(fallbacks, 1);
  EXPECT_EQ(::GetCursor(), nullptr);
  EXPECT_EQ(ApplyCursorRule(IDCUR_ARROW, [&] { return ++fallbacks, LRESULT{7}; }), TRUE);
  EXPECT_EQ(fallbacks, 1);
  EXPECT_EQ(::GetCursor(), ProgramCursor(IDCUR_ARROW));
}

}  // namespace
}  // namespace vantrel
