#include "app/startup_splash.h"

#include "fw/app.h"
#include "res/resource.h"

namespace vantrel {
namespace {

constexpr UINT_PTR kSplashTimer = 1;
constexpr UINT kTickMs = 1000;
constexpr char kInitializingText[] = "Initializing. Please wait...";
constexpr int kTextX = 10, kTextY = 105;

// Centres a popup over its owner when the owner is on screen, otherwise in the
// work area of the screen.
void CenterWindow(HWND wnd) {
  RECT area{};
  HWND owner = ::GetWindow(wnd, GW_OWNER);
  if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
    ::GetWindowRect(owner, &area);
  else
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  RECT rc{};
  ::GetWindowRect(wnd, &rc);
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  ::SetWindowPos(wnd, nullptr, area.left + (area.right - area.left - w) / 2,
                 area.top + (area.bottom - area.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

BOOL CStartupSplash::s_enabled = FALSE;
CStartupSplash* CStartupSplash::s_instance = nullptr;

CStartupSplash::~CStartupSplash() {
  if (s_instance == this) s_instance = nullptr;
}

void CStartupSplash::EnableSplash(BOOL enable) { s_enabled = enable; }

void CStartupSplash::ShowSplash(fw::CWnd* parent) {
  if (!s_enabled || s_instance) return;
  auto* splash = new CStartupSplash;
  s_instance = splash;
  if (!splash->Create(parent)) {
    // A window refused by its own creation handler is gone already and has
    // deleted its object (the destructor clears the instance pointer).
    if (s_instance == splash) delete splash;
    return;
  }
  splash->UpdateWindow();
  if (parent) {
    BeginWaitCursor();
    ::SetCapture(parent->m_hWnd);
  }
}

bool CStartupSplash::Create(fw::CWnd* parent) {
  m_bitmap.reset(::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH)));
  if (!m_bitmap) return false;
  BITMAP bm{};
  ::GetObjectA(m_bitmap.get(), sizeof bm, &bm);
  const std::string cls = fw::RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
  return !cls.empty() && CreateEx(0, cls.c_str(), "", WS_POPUP | WS_VISIBLE, 0, 0, bm.bmWidth, bm.bmHeight,
                                  parent ? parent->m_hWnd : nullptr, nullptr);
}

void CStartupSplash::HideSplash() {
  ::ReleaseCapture();
  EndWaitCursor();
  DestroyWindow();
  // The object is deleted once this timer tick's handler has returned.
  if (fw::CWinApp* app = fw::AfxGetApp(); app && app->m_pMainWnd) app->m_pMainWnd->UpdateWindow();
}

LRESULT CStartupSplash::OnCreate(CREATESTRUCTA*) {
  if (Default() == -1) return -1;
  CenterWindow(m_hWnd);
  // Without its timer nothing would end the splash, nor give the mouse back:
  // no timer, no splash.
  return SetTimer(kSplashTimer, kTickMs) ? 0 : -1;
}

void CStartupSplash::OnPaint() {
  fw::PaintDc dc(m_hWnd);
  fw::UniqueDc memory(::CreateCompatibleDC(dc.get()));
  if (!memory) return;
  BITMAP bm{};
  ::GetObjectA(m_bitmap.get(), sizeof bm, &bm);
  {
    fw::SelectScope select(memory.get(), m_bitmap.get());
    ::BitBlt(dc.get(), 0, 0, bm.bmWidth, bm.bmHeight, memory.get(), 0, 0, SRCCOPY);
  }
  ::SetBkMode(dc.get(), TRANSPARENT);
  ::SetTextColor(dc.get(), RGB(0, 0, 0));
  ::TextOutA(dc.get(), kTextX, kTextY, kInitializingText, sizeof kInitializingText - 1);
}

void CStartupSplash::OnTimer(UINT_PTR) {
  if (m_nTicksLeft == 0)
    HideSplash();
  else
    --m_nTicksLeft;
}

}  // namespace vantrel
