// The property sheet against the real platform, driven from inside its own
// modal loop. (The colour chooser is exercised end to end by the options
// sheet's tests.)
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "fw/app.h"
#include "fw/ddx.h"
#include "fw/property_sheet.h"

namespace {

class SheetApp : public fw::CWinApp {
 public:
  SheetApp() : fw::CWinApp("FwSheetTest") {}
};

// A page that logs its initialisation and its OK. The first page also runs a
// script from the sheet's loop: a step each time its own message comes back.
class LoggingPage : public fw::CPropertyPage {
 public:
  using Step = std::function<void(HWND sheet)>;
  LoggingPage(UINT id, std::string name, std::vector<std::string>& log, std::vector<Step> steps = {})
      : fw::CPropertyPage(id), name_(std::move(name)), log_(log), steps_(std::move(steps)) {}
  int radio = -1;

 protected:
  void DoDataExchange(fw::CDataExchange* dx) override {
    if (GetDlgItem(1011)) fw::DDX_Radio(dx, 1011, radio);
  }
  BOOL OnInitDialog() override {
    fw::CPropertyPage::OnInitDialog();
    log_.push_back(name_ + " init");
    if (!steps_.empty()) PostMessage(WM_APP);
    return TRUE;
  }
  void OnOK() override { log_.push_back(name_ + " OK"); }
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg != WM_APP) return fw::CPropertyPage::OnMessage(msg, wp, lp);
    if (next_ < steps_.size()) steps_[next_++](::GetParent(m_hWnd));
    if (next_ < steps_.size()) PostMessage(WM_APP);
    return 0;
  }

 private:
  std::string name_;
  std::vector<std::string>& log_;
  std::vector<Step> steps_;
  size_t next_ = 0;
};

void Click(HWND sheet, int id) { ::PostMessageA(::GetDlgItem(sheet, id), BM_CLICK, 0, 0); }

constexpr int kApplyButton = 0x3021;

TEST(Sheet, OkGivesEveryPageShownItsOkInTabOrderAfterTheDataOfThePageLeft) {
  SheetApp app;
  fw::CDialog mainWnd(100);
  ASSERT_TRUE(mainWnd.Create(100, nullptr));
  app.m_pMainWnd = &mainWnd;

  std::vector<std::string> log;
  HWND owner = nullptr;
  BOOL mainEnabled = TRUE, applyShown = TRUE;
  LoggingPage first(110, "First", log,
                    {[&](HWND sheet) {
                       owner = ::GetWindow(sheet, GW_OWNER);
                       mainEnabled = ::IsWindowEnabled(mainWnd.m_hWnd);
                       HWND apply = ::GetDlgItem(sheet, kApplyButton);
                       applyShown = apply && ::IsWindowVisible(apply) && ::IsWindowEnabled(apply);
                       // The third radio button, behind a push button in the group.
                       HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
                       ::SendMessageA(::GetDlgItem(page, 1014), BM_SETCHECK, BST_CHECKED, 0);
                       ::SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
                     },
                     [&](HWND sheet) { Click(sheet, IDOK); }});
  LoggingPage second(111, "Second", log), third(112, "Third", log);
  fw::CPropertySheet sheet("Sheet");
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  sheet.AddPage(&third);

  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(log, (std::vector<std::string>{"First init", "Second init", "First OK", "Second OK"}))
      << "a page never shown is never created and gets no OK";
  EXPECT_EQ(first.radio, 2) << "read when the page was left; only radio buttons count";
  EXPECT_EQ(owner, mainWnd.m_hWnd);
  EXPECT_FALSE(mainEnabled);
  EXPECT_FALSE(applyShown);
  EXPECT_TRUE(::IsWindowEnabled(mainWnd.m_hWnd));
  EXPECT_EQ(first.m_hWnd, nullptr) << "pages are released with their windows";
  mainWnd.DestroyWindow();
}

TEST(Sheet, CancelAndTheCloseBoxGiveNoPageItsOk) {
  const struct {
    const char* what;
    std::function<void(HWND)> end;
  } ends[] = {
      {"Cancel", [](HWND sheet) { Click(sheet, IDCANCEL); }},
      {"close box", [](HWND sheet) { ::PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& e : ends) {
    std::vector<std::string> log;
    LoggingPage first(110, "First", log, {[](HWND sheet) { ::SendMessageA(sheet, PSM_SETCURSEL, 2, 0); }, e.end});
    LoggingPage second(111, "Second", log), third(112, "Third", log);
    fw::CPropertySheet sheet("Sheet");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&third);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL) << e.what;
    EXPECT_EQ(log, (std::vector<std::string>{"First init", "Third init"})) << e.what;
  }
}

}  // namespace
