#include "fw/wnd.h"

#include "fw/handle.h"

namespace fw {
namespace {

constexpr char kThisProp[] = "fw.CWnd.this";
int g_waitCount = 0;
HCURSOR g_cursorBeforeWait = nullptr;

}  // namespace

CWnd::~CWnd() {
  // An object that dies before its window must not leave a dangling binding.
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND wnd) { return wnd ? static_cast<CWnd*>(::GetPropA(wnd, kThisProp)) : nullptr; }

void CWnd::Bind(HWND wnd) {
  m_hWnd = wnd;
  ::SetPropA(wnd, kThisProp, this);
  m_superProc =
      reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)));
}

bool CWnd::SubclassWindow(HWND wnd) {
  if (!wnd || m_hWnd || FromHandlePermanent(wnd)) return false;
  Bind(wnd);
  return m_superProc != nullptr;
}

bool CWnd::SubclassDlgItem(int id, CWnd* parent) { return parent && SubclassWindow(parent->GetDlgItem(id)); }

HWND CWnd::UnsubclassWindow() {
  HWND wnd = m_hWnd;
  if (!wnd) return nullptr;
  if (m_superProc) ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
  ::RemovePropA(wnd, kThisProp);
  m_superProc = nullptr;
  m_hWnd = nullptr;
  return wnd;
}

LRESULT CWnd::Default() {
  if (!m_superProc) return ::DefWindowProcA(m_current.hwnd, m_current.message, m_current.wParam, m_current.lParam);
  return ::CallWindowProcA(m_superProc, m_current.hwnd, m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CALLBACK CWnd::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  CWnd* self = FromHandlePermanent(wnd);
  if (!self) return ::DefWindowProcA(wnd, msg, wp, lp);
  return self->Dispatch(msg, wp, lp);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  const MSG saved = m_current;
  m_current = MSG{m_hWnd, msg, wp, lp, 0, {}};
  LRESULT result = 0;
  try {
    if (msg == WM_SETCURSOR && IsWaitCursorOn()) {
      ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
      result = TRUE;
    } else {
      result = OnMessage(msg, wp, lp);
    }
  } catch (...) {
    // Nothing may unwind through the platform's window code.
    result = 0;
  }
  m_current = saved;
  if (msg == WM_NCDESTROY) {
    UnsubclassWindow();
    try {
      PostNcDestroy();
    } catch (...) {
    }
  }
  return result;
}

std::string CWnd::GetDlgItemText(int id) const {
  HWND item = GetDlgItem(id);
  if (!item) return {};
  const int len = ::GetWindowTextLengthA(item);
  std::string text(static_cast<size_t>(len) + 1, '\0');
  const int got = ::GetWindowTextA(item, text.data(), len + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

std::string CWnd::GetWindowText() const {
  const int len = ::GetWindowTextLengthA(m_hWnd);
  std::string text(static_cast<size_t>(len) + 1, '\0');
  const int got = ::GetWindowTextA(m_hWnd, text.data(), len + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

RECT CWnd::GetClientRect() const {
  RECT rc{};
  ::GetClientRect(m_hWnd, &rc);
  return rc;
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

void CWnd::BeginWaitCursor() {
  if (g_waitCount++ == 0) g_cursorBeforeWait = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}

void CWnd::EndWaitCursor() {
  if (g_waitCount == 0) return;
  if (--g_waitCount == 0) ::SetCursor(g_cursorBeforeWait ? g_cursorBeforeWait : ::LoadCursorA(nullptr, IDC_ARROW));
}

bool CWnd::IsWaitCursorOn() { return g_waitCount > 0; }

std::string LoadResString(UINT id, HINSTANCE module) {
  if (!module) module = ::GetModuleHandleA(nullptr);
  char buf[1024];
  const int n = ::LoadStringA(module, id, buf, sizeof buf);
  return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

}  // namespace fw
