// Times the gauge inside a host: the main window built over a store in memory,
// as start-up builds it but modeless. Prints raw samples, one per line, each
// the mean time in microseconds of one batch of calls:
//   draw vantrel      one IViewObject::Draw of the free-memory gauge into a memory DC
//   draw base         one FillRect of the same rectangle into the same DC
//   refresh vantrel   one RefreshMemory (its four gauge calls, texts, data exchange)
//                     with the figures unchanged
//   refresh_tip vantrel  the same with a new tray tooltip each time
//   refresh base      one GlobalMemoryStatus and the three memory texts set directly
// The registered Zelbo.ocx is the one drawn. Arguments, for profiling: the
// number of batches (default 15) and one figure to time alone.
#include "mainwnd/vantrel_dlg.h"
// Before the store in memory: takes back the platform's win.ini macros that
// share the store's call names.
#include "fw/app.h"

#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/settings_testing.h"
#include "fw/com.h"
#include "fw/handle.h"
#include "res/resource.h"

namespace {

int g_batches = 15;
const char* g_only = nullptr;

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(freq.QuadPart);
}

// Lets the window paint what the calls invalidated, between batches.
void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

template <class Call>
void Batches(const char* figure, const char* who, int calls, Call call) {
  if (g_only && std::strcmp(g_only, figure) != 0) return;
  for (int b = 0; b < g_batches; ++b) {
    Pump();
    const double start = Now();
    for (int i = 0; i < calls; ++i) call();
    std::printf("%s %s %.3f\n", figure, who, (Now() - start) / calls);
  }
}

int Run() {
  vantrel::testing::MemoryStore store;
  vantrel::Settings settings;
  auto dlg = std::make_unique<vantrel::CVantrelDlg>(settings, store);
  if (!dlg->Create(IDD_VANTREL_DIALOG, nullptr)) return 1;
  HWND gauge = dlg->GetDlgItem(IDC_GAUGE_FREE_MEMORY);
  fw::com::Ptr<IViewObject> view;
  IDispatch* disp = dlg->ControlDispatch(IDC_GAUGE_FREE_MEMORY);
  if (!gauge || !disp || FAILED(disp->QueryInterface(IID_IViewObject, view.put_void()))) return 1;

  RECT rc{};
  ::GetClientRect(gauge, &rc);
  fw::WindowDc screen(nullptr);
  fw::UniqueDc mem(::CreateCompatibleDC(screen.get()));
  fw::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), rc.right, rc.bottom));
  fw::UniqueBrush brush(::CreateSolidBrush(RGB(0, 150, 0)));
  fw::SelectScope select(mem.get(), bitmap.get());
  const RECTL bounds{0, 0, rc.right, rc.bottom};
  HRESULT drawn = S_OK;
  Batches("draw", "vantrel", 200, [&] {
    drawn |= view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, mem.get(), &bounds, nullptr, nullptr, 0);
  });
  Batches("draw", "base", 200, [&] { ::FillRect(mem.get(), &rc, brush.get()); });

  Batches("refresh", "vantrel", 50, [&] { dlg->RefreshMemory(); });
  // The tray tooltip changes on every call: the tooltip setting alternates
  // between free memory and utilisation.
  Batches("refresh_tip", "vantrel", 50, [&] {
    settings.nTooltip ^= 1;
    dlg->RefreshMemory();
  });
  settings.nTooltip = 0;
  Batches("refresh", "base", 50, [&] {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    ::GlobalMemoryStatus(&status);
    char text[32];
    std::snprintf(text, sizeof text, "%lu MB", static_cast<unsigned long>(status.dwTotalPhys >> 20));
    ::SetDlgItemTextA(dlg->m_hWnd, IDC_PHYSICAL_MEMORY, text);
    std::snprintf(text, sizeof text, "%lu MB", static_cast<unsigned long>(status.dwAvailPhys >> 20));
    ::SetDlgItemTextA(dlg->m_hWnd, IDC_FREE_MEMORY, text);
    std::snprintf(text, sizeof text, "%lu%%", static_cast<unsigned long>(status.dwMemoryLoad));
    ::SetDlgItemTextA(dlg->m_hWnd, IDC_MEMORY_LOAD, text);
  });
  dlg->DestroyWindow();
  return drawn == S_OK ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) g_batches = std::atoi(argv[1]);
  if (argc > 2) g_only = argv[2];
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  if (FAILED(::OleInitialize(nullptr))) return 1;
  const int rc = Run();
  ::OleUninitialize();
  return rc;
}
