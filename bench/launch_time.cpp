// Times one launch: from CreateProcess to the first visible top-level window of
// the new process with the given title, polled every millisecond. Prints the
// seconds, then ends the program as Escape does and waits for it.
//   LaunchTime [/tray:<icon id>] "<window title>" <program> [arguments...]
// With /tray the window may stay hidden: the time runs until the tray holds
// that window's icon, asked of the shell with a change that changes nothing
// (the shell refuses it for an icon it does not hold).
// Exit code 0, or 1 when the program could not start or showed no such window
// (or icon) within 30 seconds.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fw/handle.h"
#include "fw/top_window.h"

namespace {

bool InTray(HWND wnd, UINT id) {
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = wnd;
  nid.uID = id;
  return ::Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  UINT trayId = 0;
  if (argc > 1 && std::strncmp(argv[1], "/tray:", 6) == 0) {
    trayId = static_cast<UINT>(std::atoi(argv[1] + 6));
    ++argv, --argc;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: LaunchTime [/tray:<icon id>] <window title> <program> [arguments...]\n");
    return 1;
  }
  std::string cmd = std::string("\"") + argv[2] + "\"";
  for (int i = 3; i < argc; ++i) cmd += std::string(" ") + argv[i];
  LARGE_INTEGER freq, start, now;
  ::QueryPerformanceFrequency(&freq);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
  fw::UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  const std::string title = argv[1];
  auto shown = [&](HWND wnd) {
    return fw::ProcessOf(wnd) == pi.dwProcessId && fw::WindowText(wnd) == title &&
           (trayId ? InTray(wnd, trayId) : ::IsWindowVisible(wnd) != FALSE);
  };
  HWND found = nullptr;
  do {
    found = fw::FindTopWindow(shown);
    ::QueryPerformanceCounter(&now);
    if (found) break;
    ::Sleep(1);
  } while (now.QuadPart - start.QuadPart < 30 * freq.QuadPart);
  if (found) {
    std::printf("%.4f\n", static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart));
    ::PostMessageA(found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
  if (::WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 1);
  return found ? 0 : 1;
}
