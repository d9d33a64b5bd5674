#include "fw/wnd.h"

#include <unordered_map>

#include "fw/app.h"
#include "fw/handle.h"
#include "fw/report_caught.h"

namespace fw {
namespace {

// The objects bound to this thread's windows. A window hears its messages on
// the thread that made it, so a map per thread needs no lock, and finding the
// object asks nothing of the platform: a window property would cost a round
// trip to the server on every message under Wine.
struct Bindings {
  std::unordered_map<HWND, CWnd*> objects;
  // Windows let go of while another procedure was installed over ours: that
  // one still calls ours, which hands their messages on to the procedure we
  // had replaced, until the window is gone.
  std::unordered_map<HWND, WNDPROC> passOn;
};

Bindings& ThreadBindings() {
  thread_local Bindings bindings;
  return bindings;
}

int g_waitCount = 0;
HCURSOR g_cursorBeforeWait = nullptr;

thread_local CWnd* t_pendingCreate = nullptr;
thread_local HHOOK t_createHook = nullptr;

// WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC: a control asks for its colours.
bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// The messages a parent reflects to the control that sent them.
bool IsNotification(UINT msg) { return msg == WM_COMMAND || msg == WM_NOTIFY || IsCtlColor(msg); }

// The control that sent a notification. Menu and accelerator commands have
// none; a dialog's own WM_CTLCOLORDLG names the dialog itself.
HWND NotificationSender(UINT msg, LPARAM lp) {
  if (!IsNotification(msg) || !lp) return nullptr;
  if (msg == WM_NOTIFY) return reinterpret_cast<const NMHDR*>(lp)->hwndFrom;
  return reinterpret_cast<HWND>(lp);
}

bool IsReflected(UINT msg) { return msg >= OCM__BASE && IsNotification(msg - OCM__BASE); }

}  // namespace

LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
  HHOOK self = t_createHook;
  if (code == HCBT_CREATEWND && t_pendingCreate) {
    CWnd* wnd = t_pendingCreate;
    t_pendingCreate = nullptr;
    wnd->Bind(reinterpret_cast<HWND>(wp));
    ::UnhookWindowsHookEx(self);
    t_createHook = nullptr;
  }
  return ::CallNextHookEx(self, code, wp, lp);
}

bool CWnd::HookWindowCreate(CWnd* wnd) {
  t_pendingCreate = wnd;
  t_createHook = ::SetWindowsHookExA(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId());
  return t_createHook != nullptr;
}

void CWnd::UnhookWindowCreate() {
  t_pendingCreate = nullptr;
  if (t_createHook) ::UnhookWindowsHookEx(t_createHook);
  t_createHook = nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, void* param) {
  if (m_hWnd || !HookWindowCreate(this)) {
    UnhookWindowCreate();
    return false;
  }
  HWND wnd = ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menuOrId,
                               ::GetModuleHandleA(nullptr), param);
  UnhookWindowCreate();
  // A window refused by its WM_CREATE is already gone and unbound.
  return wnd != nullptr && m_hWnd == wnd;
}

CWnd::~CWnd() {
  // An object that dies before its window must not leave a dangling binding.
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND wnd) {
  if (!wnd) return nullptr;
  const auto& objects = ThreadBindings().objects;
  const auto found = objects.find(wnd);
  return found == objects.end() ? nullptr : found->second;
}

void CWnd::Bind(HWND wnd) {
  m_hWnd = wnd;
  Bindings& bindings = ThreadBindings();
  bindings.objects[wnd] = this;
  bindings.passOn.erase(wnd);
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
  Bindings& bindings = ThreadBindings();
  bindings.objects.erase(wnd);
  if (m_superProc) {
    // Putting the old procedure back while another one is installed over ours
    // would cut that one out of the window.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(wnd, GWLP_WNDPROC)) == &CWnd::WindowProc)
      ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    else
      bindings.passOn[wnd] = m_superProc;
  }
  m_superProc = nullptr;
  m_hWnd = nullptr;
  return wnd;
}

LRESULT CWnd::Default() {
  if (IsReflected(m_current.message)) {
    // The control leaves its notification to the parent.
    m_reflectedToParent = true;
    return 0;
  }
  if (!m_superProc) return ::DefWindowProcA(m_current.hwnd, m_current.message, m_current.wParam, m_current.lParam);
  return ::CallWindowProcA(m_superProc, m_current.hwnd, m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CALLBACK CWnd::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (CWnd* self = FromHandlePermanent(wnd)) return self->Dispatch(msg, wp, lp);
  auto& passOn = ThreadBindings().passOn;
  const auto next = passOn.find(wnd);
  if (next == passOn.end()) return ::DefWindowProcA(wnd, msg, wp, lp);
  const WNDPROC proc = next->second;
  if (msg == WM_NCDESTROY) passOn.erase(next);
  return ::CallWindowProcA(proc, wnd, msg, wp, lp);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  const MSG saved = m_current;
  m_current = MSG{m_hWnd, msg, wp, lp, 0, {}};
  ++m_dispatchDepth;
  LRESULT result = 0;
  try {
    if (msg == WM_SETCURSOR && IsWaitCursorOn()) {
      ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
      result = TRUE;
    } else if (!ReflectToSender(msg, wp, lp, result)) {
      result = OnMessage(msg, wp, lp);
    }
  } catch (...) {
    // Nothing may unwind through the platform's window code.
    ReportCaught("a window procedure");
    result = 0;
  }
  m_current = saved;
  if (msg == WM_NCDESTROY) {
    UnsubclassWindow();
    m_ncDestroyed = true;
  }
  // A window destroyed from one of its own handlers (a timer that ends it)
  // hears of it nested inside that handler: PostNcDestroy, which may delete
  // the object, waits until the outermost handler has returned.
  if (--m_dispatchDepth > 0 || !m_ncDestroyed) return result;
  m_ncDestroyed = false;
  try {
    PostNcDestroy();
  } catch (...) {
    ReportCaught("PostNcDestroy");
  }
  return result;
}

LRESULT CWnd::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (IsCtlColor(msg)) return OnCtlColor(msg, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
  switch (msg) {
    case WM_CREATE:
      return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lp));
    case WM_COMMAND:
      return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)) ? 0 : Default();
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_TIMER:
      OnTimer(wp);
      return 0;
    case WM_SETCURSOR:
      return OnSetCursor(reinterpret_cast<HWND>(wp), LOWORD(lp), HIWORD(lp));
    case WM_HSCROLL:
      return OnHScroll(LOWORD(wp), reinterpret_cast<HWND>(lp));
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_ENDSESSION:
      OnEndSession(wp != FALSE);
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
      return OnSystemChange(msg, wp, lp);
    default:
      return Default();
  }
}

namespace {

struct SystemChange {
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

BOOL CALLBACK PassSystemChange(HWND child, LPARAM change) {
  const auto* c = reinterpret_cast<const SystemChange*>(change);
  ::SendMessageA(child, c->msg, c->wp, c->lp);
  return TRUE;
}

}  // namespace

LRESULT CWnd::OnSystemChange(UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT result = Default();
  // The system tells top-level windows only of new colours and settings; the
  // controls inside (common controls, hosted gauges) follow when their window
  // passes it on. A new theme reaches every window by itself.
  if (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD) return result;
  SystemChange change{msg, wp, lp};
  if (msg != WM_THEMECHANGED) ::EnumChildWindows(m_hWnd, &PassSystemChange, reinterpret_cast<LPARAM>(&change));
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return result;
}

bool CWnd::ReflectToSender(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  HWND sender = NotificationSender(msg, lp);
  if (!sender || sender == m_hWnd) return false;
  CWnd* control = FromHandlePermanent(sender);
  if (!control) return false;
  // Saved and restored: the control's handler may cause nested reflections.
  const bool saved = control->m_reflectedToParent;
  control->m_reflectedToParent = false;
  const LRESULT answer = control->Dispatch(OCM__BASE + msg, wp, lp);
  const bool kept = !control->m_reflectedToParent;
  control->m_reflectedToParent = saved;
  if (kept) result = answer;
  return kept;
}

HWND GetSafeOwner(CWnd* parent) {
  if (parent) return parent->m_hWnd;
  const CWinApp* app = AfxGetApp();
  HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
  // A popup cannot be owned by a child window.
  while (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
  if (owner && !::IsWindowEnabled(owner)) {
    // Disabled by a modal window open over it: the new one goes over that.
    HWND popup = ::GetLastActivePopup(owner);
    if (popup && popup != owner && ::IsWindowEnabled(popup) && ::IsWindowVisible(popup)) owner = popup;
  }
  return owner;
}

std::string RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  char name[96];
  // The platform's own formatter: the C runtime's would bring its whole
  // printf machinery into the program for this one name.
  ::wsprintfA(name, "fw:%p:%x:%p:%p:%p", static_cast<void*>(instance), classStyle, static_cast<void*>(cursor),
              static_cast<void*>(background), static_cast<void*>(icon));
  WNDCLASSA wc{};
  if (::GetClassInfoA(instance, name, &wc)) return name;
  wc.style = classStyle;
  // The window's object takes over at creation (CWnd::CreateEx); Default()
  // then reaches the platform's default handling.
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = instance;
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = name;
  return ::RegisterClassA(&wc) ? name : std::string();
}

void PumpMessage(MSG& msg) {
  // The window the message is for, then its parents up to the top level.
  for (HWND wnd = msg.hwnd; wnd; wnd = (::GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(wnd) : nullptr) {
    CWnd* target = CWnd::FromHandlePermanent(wnd);
    if (!target) continue;
    bool handled = false;
    try {
      handled = target->PreTranslateMessage(msg);
    } catch (...) {
      ReportCaught("PreTranslateMessage");
    }
    if (handled) return;
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
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
