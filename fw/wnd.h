// CWnd: one window class for every window the program drives. A window is
// bound to its object at the first message (creation hook or subclassing) and
// released at the last (WM_NCDESTROY). Messages reach OnMessage, which cracks
// parameters and calls typed handlers; Default() hands the current message to
// the window's original procedure.
#pragma once

#include <windows.h>

#include <string>

#include "fw/com.h"
#include "fw/occ/dispatch.h"

namespace fw {

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }

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
  std::string GetWindowText() const;
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

  // Hosted ActiveX controls: the control's automation interface, set when the
  // dialog's data exchange binds this object to a hosted control.
  void AttachControlDispatch(com::Ptr<IDispatch> disp) { m_controlDispatch = std::move(disp); }
  IDispatch* GetControlDispatch() const { return m_controlDispatch.get(); }
  // Calls by DISPID; arguments in parameter order, typed by their C++ type
  // (short is VT_I2, bool VT_BOOL). E_NOINTERFACE when no control is bound.
  template <class... Args>
  HRESULT InvokeHelper(DISPID id, WORD flags, VARTYPE vtRet, void* result, const Args&... args) const {
    IDispatch* disp = m_controlDispatch.get();
    return disp ? occ::InvokeHelper(disp, id, flags, vtRet, result, args...) : E_NOINTERFACE;
  }
  template <class T>
  HRESULT SetProperty(DISPID id, VARTYPE vt, const T& value) const {
    IDispatch* disp = m_controlDispatch.get();
    return disp ? occ::SetProperty(disp, id, vt, value) : E_NOINTERFACE;
  }

 protected:
  // Handles one message; the default hands it to the original procedure.
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(); }
  // Called after the window is gone (WM_NCDESTROY).
  virtual void PostNcDestroy() {}
  // The current message's default processing.
  LRESULT Default();
  const MSG& CurrentMessage() const { return m_current; }

  // Binds a window at creation time (used by the creation hook).
  void Bind(HWND wnd);

 private:
  friend class DialogBinder;
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);

  WNDPROC m_superProc = nullptr;
  MSG m_current{};
  com::Ptr<IDispatch> m_controlDispatch;
};

// Loads string resource `id` of the program; empty when missing.
std::string LoadResString(UINT id, HINSTANCE module = nullptr);

}  // namespace fw
