// CWnd: one window class for every window the program drives. A window is
// bound to its object at the first message (creation hook or subclassing) and
// released at the last (WM_NCDESTROY). Messages reach OnMessage, whose default
// cracks the common ones into typed handlers (OnCommand, OnNotify, OnTimer,
// OnCtlColor, OnSetCursor, ...); a window overrides the handlers it changes,
// and OnMessage only for messages of its own. Default() hands the current
// message to the window's original procedure; so does every typed handler
// that is not overridden.
//
// Notifications are reflected to the control that sent them: WM_COMMAND from a
// control, WM_NOTIFY and WM_CTLCOLOR* reach the sending control's OnMessage
// first, as OCM__BASE + the message (OCM_COMMAND, OCM_NOTIFY,
// OCM_CTLCOLORSTATIC, ...), when that control is bound to an object. A control
// that answers without calling Default() keeps the notification and its result
// goes back to the sender; Default() on a reflected message hands it on to the
// parent's OnMessage. So a control class handles its own notifications and the
// parent sees only what its controls leave.
#pragma once

#include <windows.h>
#include <olectl.h>

#include <string>

namespace fw {

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }

  // Creates a window of a registered class (see RegisterWndClass) bound to
  // this object from its first message on; WM_NCCREATE and WM_CREATE reach
  // OnMessage. `parent` is used as given: a popup without one has no owner.
  // False when the window cannot be created (also when WM_CREATE refuses it).
  bool CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menuOrId, void* param = nullptr);

  // Binds an existing window (a dialog control) to this object.
  bool SubclassWindow(HWND wnd);
  bool SubclassDlgItem(int id, CWnd* parent);
  HWND UnsubclassWindow();
  // The object bound to a window, if any.
  static CWnd* FromHandlePermanent(HWND wnd);

  // Thin helpers over the platform.
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void SetDlgItemText(int id, const std::string& text) const { ::SetDlgItemTextA(m_hWnd, id, text.c_str()); }
  std::string GetDlgItemText(int id) const;
  void SetWindowText(const std::string& text) const { ::SetWindowTextA(m_hWnd, text.c_str()); }
  LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageA(m_hWnd, msg, wp, lp); }
  BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageA(m_hWnd, msg, wp, lp); }
  BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
  BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
  BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }
  int MessageBox(const std::string& text, const std::string& caption, UINT type) const {
    return ::MessageBoxA(m_hWnd, text.c_str(), caption.c_str(), type);
  }
  RECT GetClientRect() const;
  BOOL DestroyWindow();

  // The wait cursor of long operations on the user-interface thread.
  static void BeginWaitCursor();
  static void EndWaitCursor();
  static bool IsWaitCursorOn();

 protected:
  // Handles one message: cracks the messages below into their handlers and
  // hands every other one to Default().
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);

  // The typed handlers. Each returns what the window procedure answers, where
  // the message has an answer; each default runs Default().
  virtual LRESULT OnCreate(CREATESTRUCTA* create) { return Default(); }
  // WM_COMMAND: true when handled (the answer is 0), false runs Default().
  virtual bool OnCommand(UINT id, UINT code, HWND control) { return false; }
  virtual LRESULT OnNotify(NMHDR* header) { return Default(); }
  virtual void OnTimer(UINT_PTR id) { Default(); }
  // Every WM_CTLCOLOR* message, `msg` telling which kind of control asks.
  virtual LRESULT OnCtlColor(UINT msg, HDC dc, HWND control) { return Default(); }
  virtual LRESULT OnSetCursor(HWND under, UINT hitTest, UINT mouseMsg) { return Default(); }
  virtual LRESULT OnHScroll(UINT code, HWND bar) { return Default(); }
  virtual void OnPaint() { Default(); }
  virtual void OnClose() { Default(); }
  virtual void OnDestroy() { Default(); }
  // WM_ENDSESSION: `ending` when the session does end. Windows ends the
  // process once the handler returns, without destroying its windows.
  virtual void OnEndSession(bool ending) { Default(); }
  // WM_SYSCOLORCHANGE, WM_SETTINGCHANGE and WM_THEMECHANGED: the default
  // processing, then a top-level window passes the first two on to every
  // window inside it and repaints them all at once, in the new colours,
  // contrast or theme.
  virtual LRESULT OnSystemChange(UINT msg, WPARAM wp, LPARAM lp);
  // Called after the window is gone (WM_NCDESTROY) and no handler of it is
  // running any more, so it may delete the object.
  virtual void PostNcDestroy() {}
  // A message about to be dispatched by the program's message loop, offered
  // to the window it is for and then to each parent up to the top-level
  // window; true when it was handled there (dialogs: keyboard navigation).
  virtual bool PreTranslateMessage(MSG& msg) { return false; }
  // The current message's default processing.
  LRESULT Default();

  // The creation hook: the first window created on this thread after
  // HookWindowCreate is bound to `wnd` before it receives any message;
  // UnhookWindowCreate ends the wait once the creation call returns.
  static bool HookWindowCreate(CWnd* wnd);
  static void UnhookWindowCreate();

 private:
  friend LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp);
  friend void PumpMessage(MSG& msg);
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  void Bind(HWND wnd);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  // Offers a notification to the bound control that sent it; true when the
  // control kept it, with its answer in `result`.
  bool ReflectToSender(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  WNDPROC m_superProc = nullptr;
  MSG m_current{};
  bool m_reflectedToParent = false;  // Default() ran for the reflected message
  int m_dispatchDepth = 0;           // handlers of this window now running
  bool m_ncDestroyed = false;        // WM_NCDESTROY came while handlers ran
};

// The window that owns a popup built with `parent` (may be null): the parent
// as given, or else the program's main window (CWinApp::m_pMainWnd), so a
// secondary window never leaves the main window usable underneath it. While a
// modal window is already open over the main window, the new one goes over
// that one. Null when there is no main window yet.
HWND GetSafeOwner(CWnd* parent);

// Registers (once) a window class whose procedure is the platform's default,
// for CWnd::CreateEx; returns its name. Zero and null mean no class style,
// cursor, background brush or icon.
std::string RegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                             HICON icon = nullptr);

// What the program's message loops do with one message they took from the
// queue: pre-translation by the window it is for and its parents (keyboard
// navigation in every dialog open, modal or modeless), else translation and
// dispatch.
void PumpMessage(MSG& msg);

// Loads string resource `id` of the program; empty when missing.
std::string LoadResString(UINT id, HINSTANCE module = nullptr);

}  // namespace fw
