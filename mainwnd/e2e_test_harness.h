// Drives a real Vantrel.exe from outside its process: prepares the per-user
// settings, starts the program, finds its window, reads control texts and
// progress bars, sends commands and waits for the program to end. The drive
// helpers serve the in-process tests of the main window as well.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cwctype>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "fw/handle.h"
#include "res/resource.h"

namespace vantrel::e2e {

inline constexpr char kVantrelKey[] = "Software\\Quorvale\\Vantrel";
inline constexpr char kSettingsKey[] = "Software\\Quorvale\\Vantrel\\Settings";
inline constexpr char kMainTitle[] = "Computer Information";

inline std::string BinDir() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of('\\'));
}

inline void ClearStore() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kVantrelKey); }

inline void PutDword(const std::string& section, const char* name, DWORD value) {
  fw::UniqueKey key;
  const std::string path = std::string(kVantrelKey) + "\\" + section;
  ASSERT_EQ(
      ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
      ERROR_SUCCESS);
  ::RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

inline void PutString(const std::string& section, const char* name, const std::string& value) {
  fw::UniqueKey key;
  const std::string path = std::string(kVantrelKey) + "\\" + section;
  ASSERT_EQ(
      ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
      ERROR_SUCCESS);
  ::RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

struct StoredValue {
  bool present = false;
  DWORD type = 0;
  DWORD dword = 0;
  std::string text;
};

inline StoredValue Stored(const std::string& section, const char* name) {
  StoredValue v;
  fw::UniqueKey key;
  const std::string path = std::string(kVantrelKey) + "\\" + section;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return v;
  BYTE data[512] = {};
  DWORD size = sizeof data;
  if (::RegQueryValueExA(key.get(), name, nullptr, &v.type, data, &size) != ERROR_SUCCESS) return v;
  v.present = true;
  if (v.type == REG_DWORD && size == 4) v.dword = *reinterpret_cast<DWORD*>(data);
  if (v.type == REG_SZ) v.text = reinterpret_cast<const char*>(data);
  return v;
}

// Polls `done` until it holds or the time runs out.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 15000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

struct WindowSearch {
  DWORD pid;
  const char* title;
  HWND found;
};

inline BOOL CALLBACK MatchWindow(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<WindowSearch*>(lp);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(wnd, &owner);
  char text[256] = {};
  ::GetWindowTextA(wnd, text, sizeof text);
  if (owner == s->pid && std::string(text) == s->title) {
    s->found = wnd;
    return FALSE;
  }
  return TRUE;
}

// The top-level window of process `pid` titled `title`, or null.
inline HWND FindProcessWindow(DWORD pid, const char* title) {
  WindowSearch s{pid, title, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

class VantrelProcess {
 public:
  ~VantrelProcess() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) ::TerminateProcess(process_.get(), 99);
  }

  // Starts the program, the one beside the test unless `program` names
  // another; `args` follow the program name on the command line.
  bool Start(const std::string& args = "", const std::string& program = "") {
    const std::string path = program.empty() ? BinDir() + "\\Vantrel.exe" : program;
    std::string cmd = "\"" + path + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    process_.reset(pi.hProcess);
    fw::UniqueKernelHandle thread(pi.hThread);
    pid_ = pi.dwProcessId;
    return true;
  }

  // The window once it is shown: the dialog manager shows a dialog only
  // after its initialisation has run.
  HWND WaitForWindow(const char* title, int timeoutMs = 15000) const {
    HWND wnd = nullptr;
    WaitFor(
        [&] {
          wnd = FindProcessWindow(pid_, title);
          return (wnd && ::IsWindowVisible(wnd)) || HasExited();
        },
        timeoutMs);
    return wnd && ::IsWindowVisible(wnd) ? wnd : nullptr;
  }

  bool HasExited() const { return ::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }

  // Waits for the end of the program; its exit code, or -1 on timeout.
  long WaitForExit(int timeoutMs = 15000) const {
    if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return static_cast<long>(code);
  }

  DWORD Pid() const { return pid_; }

 private:
  fw::UniqueKernelHandle process_;
  DWORD pid_ = 0;
};

inline std::string ItemText(HWND dlg, int id) {
  char text[512] = {};
  ::SendMessageA(::GetDlgItem(dlg, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// Runs regsvr32 on the gauge module beside the test: registers it, or with
// `unregister` removes it. True when regsvr32 reports success.
inline bool RegisterGauge(bool unregister = false) {
  std::string cmd = std::string("regsvr32.exe /s ") + (unregister ? "/u " : "") + "\"" + BinDir() + "\\Zelbo.ocx\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  fw::UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  if (::WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) return false;
  DWORD code = 1;
  ::GetExitCodeProcess(pi.hProcess, &code);
  return code == 0;
}

// The fixed drives of the test prefix, in letter order.
inline std::vector<char> FixedDrives() {
  std::vector<char> letters;
  const DWORD mask = ::GetLogicalDrives();
  for (char c = 'A'; c <= 'Z'; ++c) {
    const char root[] = {c, ':', '\\', '\0'};
    if ((mask & (1u << (c - 'A'))) && ::GetDriveTypeA(root) == DRIVE_FIXED) letters.push_back(c);
  }
  return letters;
}

// Selects the drive's item in the drive list and tells the window, as a user's
// choice does; with `tell` false the list changes behind the window's back.
inline bool ChooseDrive(HWND dlg, char letter, bool tell = true) {
  HWND combo = ::GetDlgItem(dlg, IDC_DRIVE_LIST);
  const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    // Across processes the item text is passed reliably only in wide form.
    wchar_t item[64] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    if (std::towupper(item[2]) == static_cast<wchar_t>(letter)) {
      ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      if (tell)
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_DRIVE_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
      return true;
    }
  }
  return false;
}

inline void EndWithEscape(HWND dlg) { ::PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

}  // namespace vantrel::e2e
