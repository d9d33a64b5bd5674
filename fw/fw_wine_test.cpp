// The framework against the real platform: profile functions over the
// registry, command-line switches, dialogs, data exchange and message binding.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
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

// Puts `args` in the place of the process's parsed command line for a scope.
class ArgvScope {
 public:
  explicit ArgvScope(std::vector<std::string> args) : args_(std::move(args)), savedArgc_(__argc), savedArgv_(__argv) {
    args_.insert(args_.begin(), "program.exe");
    for (std::string& a : args_) argv_.push_back(a.data());
    argv_.push_back(nullptr);
    __argc = static_cast<int>(args_.size());
    __argv = argv_.data();
  }
  ~ArgvScope() {
    __argc = savedArgc_;
    __argv = savedArgv_;
  }

 private:
  std::vector<std::string> args_;
  std::vector<char*> argv_;
  int savedArgc_;
  char** savedArgv_;
};

class RecordingInfo : public fw::CCommandLineInfo {
 public:
  std::vector<std::tuple<std::string, BOOL, BOOL>> params;
  void ParseParam(const char* param, BOOL flag, BOOL last) override {
    params.emplace_back(param, flag, last);
    fw::CCommandLineInfo::ParseParam(param, flag, last);
  }
};

TEST(CommandLine, EmbeddingAndAutomationSwitchesClearTheSplashFlag) {
  using Param = std::tuple<std::string, BOOL, BOOL>;
  struct Case {
    std::vector<std::string> args;
    BOOL splash;
    std::vector<Param> params;  // what ParseParam is handed
  } cases[] = {
      {{}, TRUE, {}},
      {{"/Embedding"}, FALSE, {{"Embedding", TRUE, TRUE}}},
      {{"-automation"}, FALSE, {{"automation", TRUE, TRUE}}},
      {{"Embedding"}, TRUE, {{"Embedding", FALSE, TRUE}}},  // not a switch without / or -
      {{"/x", "-EMBEDDING"}, FALSE, {{"x", TRUE, FALSE}, {"EMBEDDING", TRUE, TRUE}}},
      {{"/Embed", "file.txt"}, TRUE, {{"Embed", TRUE, FALSE}, {"file.txt", FALSE, TRUE}}},
  };
  for (const auto& c : cases) {
    ArgvScope argv(c.args);
    TestApp app;
    RecordingInfo info;
    app.ParseCommandLine(info);
    const std::string name = c.args.empty() ? "(none)" : c.args.back();
    EXPECT_EQ(info.m_bShowSplash, c.splash) << name;
    EXPECT_EQ(info.params, c.params) << name;
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

// Filling the controls sets only the texts that changed: setting an edit
// control's text again would clear its modified flag (and its selection).
TEST(Dialog, FillingTheControlsLeavesUnchangedTextsAlone) {
  class TextDialog : public fw::CDialog {
   public:
    TextDialog() : fw::CDialog(100) {}
    std::string text;

   protected:
    void DoDataExchange(fw::CDataExchange* dx) override { fw::DDX_Text(dx, 1001, text); }
  };
  const struct {
    const char* shown;
    const char* member;
    bool set;
  } cases[] = {{"hello", "hello", false}, {"", "", false},     {"hello", "hell", true}, {"hell", "hello", true},
               {"hello!", "hello", true}, {"hello", "", true}, {"", "x", true}};
  TextDialog dlg;
  ASSERT_TRUE(dlg.Create(100, nullptr));
  HWND edit = dlg.GetDlgItem(1001);
  for (const auto& c : cases) {
    ::SetWindowTextA(edit, c.shown);
    ::SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    dlg.text = c.member;
    dlg.UpdateData(FALSE);
    char now[32] = {};
    ::GetWindowTextA(edit, now, sizeof now);
    EXPECT_STREQ(now, c.member) << '"' << c.shown << "\" -> \"" << c.member << '"';
    EXPECT_EQ(::SendMessageA(edit, EM_GETMODIFY, 0, 0) == FALSE, c.set)
        << '"' << c.shown << "\" -> \"" << c.member << '"';
  }
  dlg.DestroyWindow();
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

// A dialog that runs a script of steps from its own loop: the first once it
// is shown, each further one after the messages the previous step posted.
class ScriptedDialog : public fw::CDialog {
 public:
  using Step = std::function<void(ScriptedDialog&)>;
  ScriptedDialog(UINT id, std::vector<Step> steps) : fw::CDialog(id), steps_(std::move(steps)) {}

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_WINDOWPOSCHANGED && (reinterpret_cast<WINDOWPOS*>(lp)->flags & SWP_SHOWWINDOW) && next_ == 0)
      PostMessage(WM_APP);
    if (msg == WM_APP && next_ < steps_.size()) {
      const size_t step = next_++;
      steps_[step](*this);
      if (m_hWnd) PostMessage(WM_APP);
      return 0;
    }
    return fw::CDialog::OnMessage(msg, wp, lp);
  }

 private:
  std::vector<Step> steps_;
  size_t next_ = 0;
};

HWND OwnerOf(HWND wnd) { return ::GetWindow(wnd, GW_OWNER); }

TEST(ModalDialog, WithoutParentItIsOwnedByTheMainWindowWhichItDisablesUntilItEnds) {
  TestApp app;
  HWND main = nullptr, outer = nullptr, outerOwner = nullptr, innerOwner = nullptr;
  BOOL mainEnabledUnderOuter = TRUE, mainEnabledAfterInner = TRUE, mainEnabledAfterOuter = FALSE;
  // Opened while another dialog is up, the inner one goes over that one.
  auto inner = [&](ScriptedDialog& i) {
    innerOwner = OwnerOf(i.m_hWnd);
    i.EndDialog(7);
  };
  auto outerStep = [&](ScriptedDialog& o) {
    outer = o.m_hWnd;
    outerOwner = OwnerOf(outer);
    mainEnabledUnderOuter = ::IsWindowEnabled(main);
    EXPECT_EQ(ScriptedDialog(100, {inner}).DoModal(), 7);
    mainEnabledAfterInner = ::IsWindowEnabled(main);
    o.EndDialog(8);
  };
  auto mainStep = [&](ScriptedDialog& m) {
    main = m.m_hWnd;
    EXPECT_EQ(ScriptedDialog(100, {outerStep}).DoModal(), 8);
    mainEnabledAfterOuter = ::IsWindowEnabled(main);
    m.EndDialog(9);
  };
  ScriptedDialog mainDlg(100, {mainStep});
  app.m_pMainWnd = &mainDlg;
  EXPECT_EQ(mainDlg.DoModal(), 9);
  EXPECT_EQ(outerOwner, main);
  EXPECT_FALSE(mainEnabledUnderOuter) << "the main window would take clicks and Escape under the dialog";
  EXPECT_EQ(innerOwner, outer);
  EXPECT_FALSE(mainEnabledAfterInner) << "the inner dialog gave the main window back while the outer one is up";
  EXPECT_TRUE(mainEnabledAfterOuter);
}

TEST(ModalDialog, ModelessDialogsGetKeyboardNavigationFromTheModalLoop) {
  fw::CDialog modeless(100);
  HWND modelessWnd = nullptr, check = nullptr, focusAfterTab = nullptr;
  auto pressTab = [&](ScriptedDialog& m) {
    ASSERT_TRUE(modeless.Create(100, &m));
    modelessWnd = modeless.m_hWnd;
    modeless.ShowWindow(SW_SHOW);
    check = modeless.GetDlgItem(1002);
    ::SetFocus(modeless.GetDlgItem(1001));
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_TAB, 0);
  };
  auto pressEscape = [&](ScriptedDialog&) {
    focusAfterTab = ::GetFocus();
    ::PostMessageA(check, WM_KEYDOWN, VK_ESCAPE, 0);
  };
  auto end = [](ScriptedDialog& m) { m.EndDialog(IDOK); };
  EXPECT_EQ(ScriptedDialog(100, {pressTab, pressEscape, end}).DoModal(), IDOK);
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(focusAfterTab, check) << "Tab moves to the next control of the modeless dialog";
  EXPECT_FALSE(::IsWindow(modelessWnd)) << "Escape cancels the modeless dialog";
}

TEST(ModalDialog, ADialogEndedDuringItsInitialisationIsNeverShown) {
  class EndsAtOnce : public fw::CDialog {
   public:
    EndsAtOnce() : fw::CDialog(100) {}
    bool shown = false;

   protected:
    BOOL OnInitDialog() override {
      EndDialog(5);
      return TRUE;
    }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
      if (msg == WM_SHOWWINDOW && wp) shown = true;
      return fw::CDialog::OnMessage(msg, wp, lp);
    }
  } dlg;
  EXPECT_EQ(dlg.DoModal(), 5);
  EXPECT_FALSE(dlg.shown);
}

// Work a dialog defers past its first picture runs once, after the dialog
// is shown and painted; a modeless dialog, which has no loop of the
// framework's, runs it before Create returns.
TEST(ModalDialog, TheFirstIdleComesOnceAfterTheFirstPicture) {
  class Deferring : public fw::CDialog {
   public:
    Deferring() : fw::CDialog(100) {}
    int idles = 0;
    bool painted = false, visibleAtIdle = false;

   protected:
    void OnFirstIdle() override {
      ++idles;
      visibleAtIdle = IsWindowVisible() != FALSE;
      if (idles == 1) PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
      if (msg == WM_PAINT) painted = true;
      return fw::CDialog::OnMessage(msg, wp, lp);
    }
  };
  Deferring modal;
  EXPECT_EQ(modal.DoModal(), IDOK);
  EXPECT_EQ(modal.idles, 1);
  EXPECT_TRUE(modal.visibleAtIdle);
  EXPECT_TRUE(modal.painted);

  Deferring modeless;
  ASSERT_TRUE(modeless.Create(100, nullptr));
  EXPECT_EQ(modeless.idles, 1);
  modeless.DestroyWindow();
}

class Popup : public fw::CWnd {
 public:
  std::vector<UINT> seen;
  bool refuseCreation = false;
  int postNcDestroyCalls = 0;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    seen.push_back(msg);
    if (msg == WM_CREATE && refuseCreation) return -1;
    return Default();
  }
  void PostNcDestroy() override { ++postNcDestroyCalls; }
};

TEST(CreateEx, AWindowOfARegisteredClassIsBoundFromItsFirstMessage) {
  HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
  const std::string cls = fw::RegisterWndClass(0, arrow);
  ASSERT_FALSE(cls.empty());
  EXPECT_EQ(fw::RegisterWndClass(0, arrow), cls) << "one class for the same attributes";
  EXPECT_NE(fw::RegisterWndClass(CS_HREDRAW, arrow), cls);
  WNDCLASSA wc{};
  ASSERT_TRUE(::GetClassInfoA(::GetModuleHandleA(nullptr), cls.c_str(), &wc));
  EXPECT_EQ(std::make_tuple(wc.style, wc.hCursor, wc.hbrBackground, wc.hIcon),
            std::make_tuple(0u, arrow, HBRUSH{}, HICON{}));

  Popup popup;
  ASSERT_TRUE(popup.CreateEx(0, cls.c_str(), "", WS_POPUP, 0, 0, 300, 140, nullptr, nullptr));
  EXPECT_EQ(fw::CWnd::FromHandlePermanent(popup.m_hWnd), &popup);
  EXPECT_EQ(OwnerOf(popup.m_hWnd), nullptr) << "no parent given, no owner";
  ASSERT_FALSE(popup.seen.empty());
  EXPECT_TRUE(popup.seen.front() == WM_GETMINMAXINFO || popup.seen.front() == WM_NCCREATE) << popup.seen.front();
  EXPECT_TRUE(Saw(popup.seen, WM_CREATE));
  const RECT rc = popup.GetClientRect();
  EXPECT_EQ(rc.right, 300);
  EXPECT_EQ(rc.bottom, 140);
  EXPECT_TRUE(popup.DestroyWindow());
  EXPECT_EQ(popup.m_hWnd, nullptr);
  EXPECT_EQ(popup.postNcDestroyCalls, 1);

  Popup refused;
  refused.refuseCreation = true;
  EXPECT_FALSE(refused.CreateEx(0, cls.c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(refused.m_hWnd, nullptr);
  EXPECT_EQ(refused.postNcDestroyCalls, 1);
  Popup noClass;
  EXPECT_FALSE(noClass.CreateEx(0, "fw:no such class", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_TRUE(noClass.seen.empty());
}

// A window on the heap that ends itself from its own timer and deletes itself
// once gone, as the splash window does; the handler goes on after
// DestroyWindow and must still find its object.
class SelfEndingPopup : public fw::CWnd {
 public:
  static int deleted;
  static bool aliveAfterDestroy;
  ~SelfEndingPopup() override { ++deleted; }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg != WM_TIMER) return Default();
    KillTimer(1);
    DestroyWindow();
    aliveAfterDestroy = deleted == 0 && m_hWnd == nullptr;
    return 0;
  }
  void PostNcDestroy() override { delete this; }
};
int SelfEndingPopup::deleted = 0;
bool SelfEndingPopup::aliveAfterDestroy = false;

TEST(CreateEx, AWindowEndedFromItsOwnHandlerIsDeletedOnlyAfterTheHandler) {
  auto* popup = new SelfEndingPopup;
  ASSERT_TRUE(popup->CreateEx(0, fw::RegisterWndClass(0).c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND wnd = popup->m_hWnd;
  ASSERT_NE(popup->SetTimer(1, 10), 0u);
  MSG msg;
  while (SelfEndingPopup::deleted == 0 && ::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  EXPECT_FALSE(::IsWindow(wnd));
  EXPECT_EQ(SelfEndingPopup::deleted, 1);
  EXPECT_TRUE(SelfEndingPopup::aliveAfterDestroy);
}

// A tree that vetoes selecting one item and keeps the selection-changed
// notification; a static that colours itself; an edit that keeps nothing.
class VetoTree : public fw::CWnd {
 public:
  HTREEITEM locked = nullptr;
  int changes = 0;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg != OCM_NOTIFY) return Default();
    const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(lp);
    switch (nm->hdr.code) {
      case TVN_SELCHANGINGA:
      case TVN_SELCHANGINGW:
        if (nm->itemNew.hItem == locked) return TRUE;
        return Default();
      case TVN_SELCHANGEDA:
      case TVN_SELCHANGEDW:
        ++changes;
        return 0;
      default:
        return Default();
    }
  }
};

class SelfColouredStatic : public fw::CWnd {
 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg != OCM_CTLCOLORSTATIC) return Default();
    ::SetTextColor(reinterpret_cast<HDC>(wp), RGB(1, 2, 3));
    return reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
  }
};

class NotifiedDialog : public fw::CDialog {
 public:
  NotifiedDialog() : fw::CDialog(101) {}
  VetoTree tree;
  SelfColouredStatic kept;
  fw::CWnd edit;
  std::vector<UINT> notifyCodes, commandCodes;
  std::vector<HWND> colouredStatics;

 protected:
  void DoDataExchange(fw::CDataExchange* dx) override {
    fw::DDX_Control(dx, 1010, tree);
    fw::DDX_Control(dx, 1006, kept);
    fw::DDX_Control(dx, 1001, edit);
  }
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_NOTIFY) notifyCodes.push_back(reinterpret_cast<NMHDR*>(lp)->code);
    if (msg == WM_CTLCOLORSTATIC) colouredStatics.push_back(reinterpret_cast<HWND>(lp));
    return fw::CDialog::OnMessage(msg, wp, lp);
  }
  bool OnCommand(UINT id, UINT code, HWND control) override {
    if (id == 1001) commandCodes.push_back(code);
    return false;
  }
};

bool Has(const std::vector<UINT>& codes, UINT a, UINT w) {
  for (UINT c : codes)
    if (c == a || c == w) return true;
  return false;
}

TEST(Reflection, ControlsAnswerTheirOwnNotificationsAndTheParentSeesTheRest) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  NotifiedDialog dlg;
  ASSERT_TRUE(dlg.Create(101, nullptr));
  HWND tree = dlg.GetDlgItem(1010);
  auto insert = [tree](const char* text) {
    TVINSERTSTRUCTA ins{};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  };
  HTREEITEM free = insert("free");
  dlg.tree.locked = insert("locked");
  dlg.notifyCodes.clear();

  ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(free));
  EXPECT_EQ(dlg.tree.changes, 1);
  EXPECT_TRUE(Has(dlg.notifyCodes, TVN_SELCHANGINGA, TVN_SELCHANGINGW)) << "left by the tree: the parent sees it";
  EXPECT_FALSE(Has(dlg.notifyCodes, TVN_SELCHANGEDA, TVN_SELCHANGEDW)) << "kept by the tree";
  // The tree's answer goes back to the tree: its veto holds.
  ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(dlg.tree.locked));
  EXPECT_EQ(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), reinterpret_cast<LRESULT>(free));
  EXPECT_EQ(dlg.tree.changes, 1);

  // A bound control that keeps nothing: its commands reach the parent.
  dlg.SetDlgItemText(1001, "typed");
  EXPECT_TRUE(Has(dlg.commandCodes, EN_CHANGE, EN_CHANGE));

  // Colours: the static that colours itself answers, the other is the parent's.
  HDC dc = ::CreateCompatibleDC(nullptr);
  const LRESULT brush =
      dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dlg.GetDlgItem(1006)));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(::GetTextColor(dc), RGB(1, 2, 3));
  dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dlg.GetDlgItem(1007)));
  ::DeleteDC(dc);
  EXPECT_EQ(dlg.colouredStatics, std::vector<HWND>{dlg.GetDlgItem(1007)});
  dlg.DestroyWindow();
}

// ---- binding, cracking and the trace of what the boundaries catch ----

// Records what the typed handlers are given, and answers with a value of
// its own where the message has an answer.
class CrackedWindow : public fw::CWnd {
 public:
  std::vector<std::string> heard;

 protected:
  bool OnCommand(UINT id, UINT code, HWND control) override {
    heard.push_back("command " + std::to_string(id) + " " + std::to_string(code) + Of(control));
    return true;
  }
  LRESULT OnNotify(NMHDR* header) override {
    heard.push_back("notify " + std::to_string(header->code));
    return 11;
  }
  void OnTimer(UINT_PTR id) override { heard.push_back("timer " + std::to_string(id)); }
  LRESULT OnCtlColor(UINT msg, HDC, HWND control) override {
    heard.push_back("colour " + std::to_string(msg) + Of(control));
    return 12;
  }
  LRESULT OnSetCursor(HWND under, UINT hitTest, UINT mouseMsg) override {
    heard.push_back("cursor " + std::to_string(hitTest) + " " + std::to_string(mouseMsg) + Of(under));
    return 13;
  }
  LRESULT OnHScroll(UINT code, HWND bar) override {
    heard.push_back("scroll " + std::to_string(code) + Of(bar));
    return 14;
  }
  void OnClose() override { heard.push_back("close"); }

 private:
  std::string Of(HWND wnd) const { return wnd == m_hWnd ? " self" : wnd ? " other" : ""; }
};

TEST(Binding, TheCommonMessagesReachTheirTypedHandlersCracked) {
  CrackedWindow wnd;
  ASSERT_TRUE(wnd.CreateEx(0, fw::RegisterWndClass(0).c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  const auto self = reinterpret_cast<LPARAM>(wnd.m_hWnd);
  NMHDR header{wnd.m_hWnd, 7, 99};
  const struct {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    LRESULT answer;
    const char* heard;
  } cases[] = {
      {WM_COMMAND, MAKEWPARAM(1001, EN_CHANGE), self, 0, "command 1001 768 self"},
      {WM_COMMAND, MAKEWPARAM(40001, 0), 0, 0, "command 40001 0"},
      {WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header), 11, "notify 99"},
      {WM_TIMER, 5, 0, 0, "timer 5"},
      {WM_CTLCOLORSTATIC, 0, self, 12, "colour 312 self"},
      {WM_CTLCOLORBTN, 0, self, 12, "colour 309 self"},
      {WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 13, "cursor 1 512 self"},
      {WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), self, 14, "scroll 3 self"},
      {WM_CLOSE, 0, 0, 0, "close"},
  };
  for (const auto& c : cases) {
    wnd.heard.clear();
    EXPECT_EQ(wnd.SendMessage(c.msg, c.wp, c.lp), c.answer) << c.heard;
    EXPECT_EQ(wnd.heard, std::vector<std::string>{c.heard});
  }
  EXPECT_TRUE(::IsWindow(wnd.m_hWnd)) << "OnClose overridden: the default ending did not run";
  wnd.DestroyWindow();
}

LRESULT CALLBACK CountingProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
WNDPROC g_countingNext = nullptr;
int g_countingCalls = 0;
LRESULT CALLBACK CountingProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  ++g_countingCalls;
  return ::CallWindowProcA(g_countingNext, wnd, msg, wp, lp);
}

BOOL CALLBACK CountProp(HWND, LPSTR, HANDLE, ULONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST(Binding, TheObjectIsFoundWithoutAWindowPropertyAndLettingGoKeepsALaterSubclass) {
  fw::CDialog dlg(100);
  ASSERT_TRUE(dlg.Create(100, nullptr));
  HWND edit = dlg.GetDlgItem(1001);
  fw::CWnd bound;
  ASSERT_TRUE(bound.SubclassWindow(edit));
  // Found in the process: a property would be a server round trip under Wine
  // on every message.
  int props = 0;
  ::EnumPropsExA(edit, CountProp, reinterpret_cast<LPARAM>(&props));
  EXPECT_EQ(props, 0);
  EXPECT_EQ(fw::CWnd::FromHandlePermanent(edit), &bound);

  // Another subclass goes on top of ours; letting go must not cut it out,
  // and the edit control behind both still answers.
  g_countingNext =
      reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
  EXPECT_EQ(bound.UnsubclassWindow(), edit);
  EXPECT_EQ(fw::CWnd::FromHandlePermanent(edit), nullptr);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(edit, GWLP_WNDPROC)), &CountingProc);
  g_countingCalls = 0;
  ::SetWindowTextA(edit, "still an edit");
  char text[32] = {};
  ::GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "still an edit");
  EXPECT_GE(g_countingCalls, 2);
  // Bound again, then let go with ours on top: the old procedure is back.
  ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_countingNext));
  ASSERT_TRUE(bound.SubclassWindow(edit));
  bound.UnsubclassWindow();
  EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(edit, GWLP_WNDPROC)), g_countingNext);
  dlg.DestroyWindow();
}

// What the program writes through OutputDebugStringA, which the platform
// raises as an exception that a handler of this process sees first.
std::vector<std::string> g_debugLines;
LONG CALLBACK CatchDebugString(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* r = info->ExceptionRecord;
  if (r->ExceptionCode != DBG_PRINTEXCEPTION_C || r->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
  g_debugLines.emplace_back(reinterpret_cast<const char*>(r->ExceptionInformation[1]));
  return EXCEPTION_CONTINUE_EXECUTION;
}

TEST(Binding, WhatAWindowProcedureCatchesLeavesATrace) {
  void* handler = ::AddVectoredExceptionHandler(1, CatchDebugString);
  ASSERT_NE(handler, nullptr);
  g_debugLines.clear();
  ProbeDialog dlg;
  dlg.throwOnTimer = true;
  EXPECT_EQ(dlg.DoModal(), 42);
  ::RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(g_debugLines, std::vector<std::string>{"caught in a window procedure: handler failure\n"});
}

}  // namespace
