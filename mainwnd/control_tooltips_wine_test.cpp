// Tooltips of the main window's controls, over dialog 102 itself (without
// its hosted gauges) and the program's string resources.
#include "mainwnd/control_tooltips.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "fw/occ/dialog_resource.h"
#include "res/resource.h"

namespace vantrel {
namespace {

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class MainDialogTips : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    res = fw::occ::LoadDialogResource(::GetModuleHandleA(nullptr), MAKEINTRESOURCEW(IDD_VANTREL_DIALOG));
    ASSERT_TRUE(res.has_value());
    dlg = ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), fw::occ::TemplateOf(res->split), nullptr, Quiet, 0);
    ASSERT_NE(dlg, nullptr);
  }
  void TearDown() override { ::DestroyWindow(dlg); }
  std::optional<fw::occ::DialogResource> res;
  HWND dlg = nullptr;
};

TEST_F(MainDialogTips, DisabledControlsAreCoveredThroughTheirPlace) {
  HWND tip = CreateControlToolTips(dlg);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(::GetWindow(tip, GW_OWNER), dlg);

  HWND watch = ::GetDlgItem(dlg, IDC_WATCH);
  ASSERT_FALSE(::IsWindowEnabled(watch)) << "the Watch box starts disabled";
  RECT rc{};
  ::GetWindowRect(watch, &rc);
  ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
  TTHITTESTINFOA hit{};
  hit.hwnd = dlg;
  hit.pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  hit.ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ASSERT_TRUE(::SendMessageA(tip, TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit)));
  EXPECT_EQ(hit.ti.uId, static_cast<UINT_PTR>(IDC_WATCH));

  // Labels have no text to show and get no tool of their own.
  HWND label = ::GetWindow(dlg, GW_CHILD);
  while (label && ::GetDlgCtrlID(label) != -1 && ::GetDlgCtrlID(label) != 0xFFFF)
    label = ::GetWindow(label, GW_HWNDNEXT);
  ASSERT_NE(label, nullptr);
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.hwnd = dlg;
  info.uId = reinterpret_cast<UINT_PTR>(label);
  EXPECT_FALSE(::SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
  info.uId = reinterpret_cast<UINT_PTR>(watch);
  EXPECT_TRUE(::SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
}

TEST(ToolTipText, ControlIdsNameTheirStrings) {
  EXPECT_EQ(ToolTipTextFor(IDC_WATCH), "Watch this drive");
  EXPECT_EQ(ToolTipTextFor(IDC_DRIVE_COUNTDOWN), "Drive Info Refresh Time");
  EXPECT_EQ(ToolTipTextFor(IDC_COMPUTER_NAME), "") << "a control without a string shows no tooltip";
  EXPECT_FALSE(ToolTipTextFor(0).has_value()) << "id 0 is refused";
}

TEST(ToolTipText, RequestsOfBothLayoutsAreAnswered) {
  HWND button = ::CreateWindowExA(0, "BUTTON", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  // A popup's "id" is its menu; give it the control id it stands for.
  ::SetWindowLongPtrA(button, GWLP_ID, IDC_OPTIONS);

  NMTTDISPINFOA a{};
  a.hdr.code = TTN_NEEDTEXTA;
  a.hdr.idFrom = reinterpret_cast<UINT_PTR>(button);
  a.uFlags = TTF_IDISHWND;
  std::memset(a.szText, 'x', sizeof a.szText);
  EXPECT_TRUE(AnswerToolTipRequest(&a.hdr));
  EXPECT_STREQ(a.szText, "Vantrel Options...");

  NMTTDISPINFOW w{};
  w.hdr.code = TTN_NEEDTEXTW;
  w.hdr.idFrom = reinterpret_cast<UINT_PTR>(button);
  w.uFlags = TTF_IDISHWND;
  EXPECT_TRUE(AnswerToolTipRequest(&w.hdr));
  EXPECT_STREQ(w.szText, L"Vantrel Options...");

  NMTTDISPINFOA byId{};
  byId.hdr.code = TTN_NEEDTEXTA;
  byId.hdr.idFrom = IDC_DRIVE_LIST;
  EXPECT_TRUE(AnswerToolTipRequest(&byId.hdr));
  EXPECT_STREQ(byId.szText, "Drive selection");

  NMTTDISPINFOA zero{};
  zero.hdr.code = TTN_NEEDTEXTA;
  zero.hdr.idFrom = 0;
  EXPECT_FALSE(AnswerToolTipRequest(&zero.hdr));
  ::DestroyWindow(button);
}

}  // namespace
}  // namespace vantrel
