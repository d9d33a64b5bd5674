// Drives a running Vantrel from outside, one step per run, for
// scripts/screenshots.sh. A window is named by its title, by its class as
// "class=NAME" (a menu is "class=#32768"), or as "popup": the untitled pop-up
// window of the process that owns "Computer Information" (the splash at
// start, the pie later).
//
//   WindowDriver wait WINDOW       waits until the window is shown; prints its
//                                  rectangle on the screen, "x y width height"
//   WindowDriver post WINDOW MESSAGE WPARAM LPARAM
//                                  posts a message (numbers, 0x for hex), to a
//                                  titled window also while it is hidden
//   WindowDriver drive LETTER      chooses a drive in the main window's list as
//                                  a user's choice does
//   WindowDriver move WINDOW X Y   moves the window's top left corner to X, Y
//   WindowDriver page WINDOW INDEX shows page INDEX of a property sheet
//   WindowDriver gauge-pages       shows the gauge's property pages in the
//                                  platform's frame until it is closed
//
// Exit code 0 on success, 1 when the window does not show within 20 seconds
// or the step fails, 2 on a wrong command line.
#include <windows.h>
#include <commctrl.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>

#include "fw/top_window.h"
#include "res/resource.h"

namespace {

constexpr char kMainTitle[] = "Computer Information";

// A window that is shown; with `hiddenToo` a titled window also while it is
// hidden (the main window in the tray). Menus and pop-ups count only shown.
HWND Find(const char* name, bool hiddenToo = false) {
  if (std::strncmp(name, "class=", 6) == 0)
    return fw::FindTopWindow([&](HWND w) { return ::IsWindowVisible(w) && fw::ClassOf(w) == name + 6; });
  if (std::strcmp(name, "popup") == 0) {
    // The main window may be hidden (while the splash shows): found whatever its state.
    HWND main = ::FindWindowA(nullptr, kMainTitle);
    if (!main) return nullptr;
    const DWORD pid = fw::ProcessOf(main);
    return fw::FindTopWindow([&](HWND w) {
      return ::IsWindowVisible(w) && fw::WindowText(w).empty() && fw::ProcessOf(w) == pid &&
             (::GetWindowLongA(w, GWL_STYLE) & WS_POPUP);
    });
  }
  return fw::FindTopWindow([&](HWND w) { return (hiddenToo || ::IsWindowVisible(w)) && fw::WindowText(w) == name; });
}

HWND WaitFor(const char* name, bool hiddenToo = false) {
  for (int i = 0; i < 200; ++i) {
    if (HWND w = Find(name, hiddenToo)) return w;
    ::Sleep(100);
  }
  return nullptr;
}

int PrintRect(HWND w) {
  if (!w) return 1;
  RECT r{};
  ::GetWindowRect(w, &r);
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

UINT_PTR Number(const char* text) { return static_cast<UINT_PTR>(std::strtoull(text, nullptr, 0)); }

int ChooseDrive(char letter) {
  HWND main = WaitFor(kMainTitle);
  if (!main) return 1;
  HWND combo = ::GetDlgItem(main, IDC_DRIVE_LIST);
  const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    // Across processes the item text arrives whole only in wide form: "[-c-]".
    wchar_t item[64] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    if (std::towupper(item[2]) == static_cast<wchar_t>(std::towupper(letter))) {
      ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_DRIVE_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
      return 0;
    }
  }
  return 1;
}

// The gauge created by its ProgID, as any host creates it, with the pages it
// names shown in the platform's property frame.
int ShowGaugePages() {
  if (FAILED(::OleInitialize(nullptr))) return 1;
  int result = 1;
  CLSID clsid{};
  IUnknown* gauge = nullptr;
  if (SUCCEEDED(::CLSIDFromProgID(L"ZELBO.ZelboCtrl.1", &clsid)) &&
      SUCCEEDED(
          ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&gauge)))) {
    IPersistStreamInit* init = nullptr;
    if (SUCCEEDED(gauge->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&init)))) {
      init->InitNew();
      init->Release();
    }
    ISpecifyPropertyPages* specify = nullptr;
    CAUUID pages{};
    if (SUCCEEDED(gauge->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify))) &&
        SUCCEEDED(specify->GetPages(&pages))) {
      result = SUCCEEDED(::OleCreatePropertyFrame(nullptr, 40, 40, L"Zelbo Control", 1, &gauge, pages.cElems,
                                                  pages.pElems, ::GetUserDefaultLCID(), 0, nullptr))
                   ? 0
                   : 1;
      ::CoTaskMemFree(pages.pElems);
    }
    if (specify) specify->Release();
    gauge->Release();
  }
  ::OleUninitialize();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "wait") == 0) return PrintRect(WaitFor(argv[2]));
  if (argc == 6 && std::strcmp(argv[1], "post") == 0) {
    HWND w = WaitFor(argv[2], true);
    return w && ::PostMessageA(w, static_cast<UINT>(Number(argv[3])), Number(argv[4]),
                               static_cast<LPARAM>(Number(argv[5])))
               ? 0
               : 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "drive") == 0) return ChooseDrive(argv[2][0]);
  if (argc == 5 && std::strcmp(argv[1], "move") == 0) {
    HWND w = WaitFor(argv[2]);
    return w && ::SetWindowPos(w, nullptr, static_cast<int>(std::strtol(argv[3], nullptr, 0)),
                               static_cast<int>(std::strtol(argv[4], nullptr, 0)), 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
  }
  if (argc == 4 && std::strcmp(argv[1], "page") == 0) {
    HWND w = WaitFor(argv[2]);
    return w && ::SendMessageA(w, PSM_SETCURSEL, Number(argv[3]), 0) ? 0 : 1;
  }
  if (argc == 2 && std::strcmp(argv[1], "gauge-pages") == 0) return ShowGaugePages();
  std::fprintf(stderr, "usage: see the head of app/tools/window_driver.cpp\n");
  return 2;
}
