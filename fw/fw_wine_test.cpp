// The framework against the real platform: profile functions over the
// registry, command-line switches, dialogs, data exchange and message binding.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fw/app.h"
#include "fw/ddx.h"
#include "fw/dialog.h"

namespace {

constexpr char kRoot[] = "FwTestVendor";

class TestApp : public fw::CWinApp {
 public:
  TestApp() : fw::CWinApp("FwTestApp") {}
};

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\FwTestVendor");
    app.SetRegistryKey(kRoot);
  }
  void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\FwTestVendor"); }
  TestApp app;
};

TEST_F(ProfileTest, MissingKeysAndValuesReadAsDefaults) {
  EXPECT_EQ(app.GetProfileInt("Settings", "Percent", 15), 15u);
  EXPECT_EQ(app.GetProfileString("Settings", "path", "dflt"), "dflt");
  // Reading creates nothing.
  HKEY key = nullptr;
  EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\FwTestVendor", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(ProfileTest, ValuesRoundTripUnderAppNameAndSection) {
  ASSERT_TRUE(app.WriteProfileInt("Settings", "Percent", -3));
  ASSERT_TRUE(app.WriteProfileString("0", "path", "C:\\"));
  EXPECT_EQ(static_cast<int>(app.GetProfileInt("Settings", "Percent", 15)), -3);
  EXPECT_EQ(app.GetProfileString("0", "path", ""), "C:\\");

  DWORD type = 0, value = 0, size = sizeof value;
  ASSERT_EQ(::RegGetValueA(HKEY_CURRENT_USER, "Software\\FwTestVendor\\FwTestApp\\Settings", "Percent", RRF_RT_ANY,
                           &type, &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 0xFFFFFFFDu);
}

TEST_F(ProfileTest, ValuesOfTheWrongTypeReadAsDefaults) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\FwTestVendor\\FwTestApp\\Settings", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExA(key, "Percent", 0, REG_SZ, reinterpret_cast<const BYTE*>("20"), 3);
  const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  ::RegSetValueExA(key, "MemoryPos", 0, REG_BINARY, eight, sizeof eight);
  const DWORD num = 7;
  ::RegSetValueExA(key, "name", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&num), sizeof num);
  // A string stored without its terminator still reads whole.
  ::RegSetValueExA(key, "bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
  ::RegCloseKey(key);

  EXPECT_EQ(app.GetProfileInt("Settings", "Percent", 15), 15u);
  EXPECT_EQ(app.GetProfileInt("Settings", "MemoryPos", 10), 10u);
  EXPECT_EQ(app.GetProfileString("Settings", "name", "x"), "x");
  EXPECT_EQ(app.GetProfileString("Settings", "bare", "x"), "abc");
}

TEST(CommandLine, EmbeddingAndAutomationSwitchesClearTheSplashFlag) {
  struct Case {
    std::vector<std::string> params;
    BOOL splash;
  } cases[] = {
      {{}, TRUE},
      {{"/Embedding"}, FALSE},
      {{"-automation"}, FALSE},
      {{"Embedding"}, TRUE},  // not a switch without / or -
      {{"/x", "-EMBEDDING"}, FALSE},
      {{"/Embed"}, TRUE},
  };
  for (const auto& c : cases) {
    fw::CCommandLineInfo info;
    for (size_t i = 0; i < c.params.size(); ++i) {
      const char* p = c.params[i].c_str();
      const BOOL flag = p[0] == '/' || p[0] == '-';
      info.ParseParam(flag ? p + 1 : p, flag, i + 1 == c.params.size());
    }
    EXPECT_EQ(info.m_bShowSplash, c.splash) << (c.params.empty() ? "" : c.params.back());
  }
}

// A dialog that records what reaches it and exercises data exchange.
class ProbeDialog : public fw::CDialog {
 public:
  ProbeDialog() : fw::CDialog(100) {}
  std::vector<UINT> seen;
  std::string text = "hello";
  int check = 1;
  int radio = 2;
  bool throwOnTimer = false;
  std::string readBackText;
  int readBackCheck = -1, readBackRadio = -1;

 protected:
  void DoDataExchange(fw::CDataExchange* dx) override {
    fw::DDX_Text(dx, 1001, text);
    fw::DDX_Check(dx, 1002, check);
    fw::DDX_Radio(dx, 1003, radio);
  }
  BOOL OnInitDialog() override {
    fw::CDialog::OnInitDialog();
    // Change the controls, then read them back through the members.
    SetDlgItemText(1001, "typed");
    ::SendMessageA(GetDlgItem(1002), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageA(GetDlgItem(1005), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageA(GetDlgItem(1003), BM_SETCHECK, BST_CHECKED, 0);
    UpdateData(TRUE);
    readBackText = text;
    readBackCheck = check;
    readBackRadio = radio;
    SetTimer(1, 10);
    return TRUE;
  }
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    seen.push_back(msg);
    if (msg == WM_TIMER) {
      KillTimer(1);
      if (throwOnTimer) {
        throwOnTimer = false;
        SetTimer(2, 10);
        throw std::runtime_error("handler failure");
      }
      EndDialog(42);
      return 0;
    }
    return fw::CDialog::OnMessage(msg, wp, lp);
  }
};

bool Saw(const std::vector<UINT>& seen, UINT msg) {
  for (UINT m : seen)
    if (m == msg) return true;
  return false;
}

TEST(Dialog, ModalDialogSeesCreationAndExchangesData) {
  ProbeDialog dlg;
  EXPECT_EQ(dlg.DoModal(), 42);
  EXPECT_TRUE(Saw(dlg.seen, WM_CREATE));
  EXPECT_TRUE(Saw(dlg.seen, WM_INITDIALOG));
  EXPECT_TRUE(Saw(dlg.seen, WM_DESTROY));
  EXPECT_TRUE(Saw(dlg.seen, WM_NCDESTROY));
  EXPECT_EQ(dlg.readBackText, "typed");
  EXPECT_EQ(dlg.readBackCheck, 0);
  EXPECT_EQ(dlg.readBackRadio, 0);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, AnExceptionInAHandlerDoesNotEscapeTheWindowProcedure) {
  ProbeDialog dlg;
  dlg.throwOnTimer = true;
  EXPECT_EQ(dlg.DoModal(), 42);
}

TEST(Dialog, MissingTemplateFailsWithMinusOne) {
  fw::CDialog dlg(555);
  EXPECT_EQ(dlg.DoModal(), -1);
}

TEST(Dialog, ModelessDialogAndSubclassedControl) {
  class Edit : public fw::CWnd {
   public:
    int setCursorCalls = 0;

   protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
      if (msg == WM_SETCURSOR) ++setCursorCalls;
      return Default();
    }
  };
  fw::CDialog dlg(100);
  ASSERT_TRUE(dlg.Create(100, nullptr));
  Edit edit;
  ASSERT_TRUE(edit.SubclassDlgItem(1001, &dlg));
  EXPECT_EQ(fw::CWnd::FromHandlePermanent(edit.m_hWnd), &edit);
  EXPECT_FALSE(edit.SubclassDlgItem(1001, &dlg)) << "a bound object binds once";
  ::SendMessageA(edit.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(edit.m_hWnd), HTCLIENT);
  EXPECT_EQ(edit.setCursorCalls, 1);
  EXPECT_EQ(fw::LoadResString(1001), "edit tooltip");
  EXPECT_EQ(fw::LoadResString(4242), "");
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(edit.m_hWnd, nullptr) << "released at the control's last message";
}

}  // namespace
