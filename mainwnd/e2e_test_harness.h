// Drives a real Vantrel.exe from outside its process: prepares the per-user
// settings, starts the program, finds its window, reads control texts and
// progress bars, sends commands and waits for the program to end. The drive
// helpers serve the in-process tests of the main window as well.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cwctype>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "fw/bin_dir.h"
#include "fw/handle.h"
#include "fw/top_window.h"
#include "res/resource.h"

namespace vantrel::e2e {

inline constexpr char kVantrelKey[] = "Software\\Quorvale\\Vantrel";
inline constexpr char kSettingsKey[] = "Software\\Quorvale\\Vantrel\\Settings";
inline constexpr char kMainTitle[] = "Computer Information";

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

// How long a wait for a state allows by default: generous, since a busy
// machine running several Wine tests at once delays every step, and a wait
// that succeeds ends as soon as the state is there.
inline constexpr int kDeadlineMs = 30000;

// Polls `done` until it holds or the time runs out.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = kDeadlineMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

// Polls `holds` for `periodMs` and tells whether it held at every look: the
// check that something does not happen. A busy machine can only make it
// weaker, never fail it by chance.
inline bool HoldsFor(const std::function<bool()>& holds, int periodMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(periodMs);
  while (std::chrono::steady_clock::now() < end) {
    if (!holds()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return holds();
}

// What the screen shows of a rectangle, read in one copy. Another process's
// window can be seen only there (a device context does not cross processes),
// where a pending repaint or a window on top decides what shows: callers look
// with WaitFor, at windows placed clear of each other.
class ScreenPixels {
 public:
  explicit ScreenPixels(const RECT& r) : width_(r.right - r.left), height_(r.bottom - r.top) {
    if (width_ <= 0 || height_ <= 0) return;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    fw::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    fw::UniqueDc dc(::CreateCompatibleDC(nullptr));
    if (!bitmap || !dc) return;
    {
      fw::SelectScope select(dc.get(), bitmap.get());
      fw::WindowDc screen(nullptr);
      ::BitBlt(dc.get(), 0, 0, width_, height_, screen.get(), r.left, r.top, SRCCOPY);
    }
    ::GdiFlush();
    const auto* px = static_cast<const DWORD*>(bits);
    pixels_.reserve(static_cast<size_t>(width_) * height_);
    for (long i = 0; i < static_cast<long>(width_) * height_; ++i)
      pixels_.push_back(RGB((px[i] >> 16) & 0xFF, (px[i] >> 8) & 0xFF, px[i] & 0xFF));
  }
  static ScreenPixels Of(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return ScreenPixels(r);
  }
  // The pixels in row order, as COLORREF values.
  const std::vector<COLORREF>& All() const { return pixels_; }
  int Count(COLORREF c) const { return static_cast<int>(std::count(pixels_.begin(), pixels_.end(), c)); }
  bool Has(COLORREF c) const { return Count(c) > 0; }
  // (x, y) from the rectangle's top left; a value no colour has outside it.
  COLORREF At(int x, int y) const {
    return x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty() ? CLR_INVALID : pixels_[y * width_ + x];
  }

 private:
  int width_, height_;
  std::vector<COLORREF> pixels_;
};

// The top-level window of process `pid` titled `title`, or null.
inline HWND FindProcessWindow(DWORD pid, const char* title) {
  return fw::FindTopWindow([&](HWND wnd) { return fw::ProcessOf(wnd) == pid && fw::WindowText(wnd) == title; });
}

class VantrelProcess {
 public:
  ~VantrelProcess() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) ::TerminateProcess(process_.get(), 99);
  }

  // Starts the program, the one beside the test unless `program` names
  // another; `args` follow the program name on the command line.
  bool Start(const std::string& args = "", const std::string& program = "") {
    const std::string path = program.empty() ? fw::BinDir() + "\\Vantrel.exe" : program;
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
  HWND WaitForWindow(const char* title, int timeoutMs = kDeadlineMs) const {
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
  long WaitForExit(int timeoutMs = kDeadlineMs) const {
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
  std::string cmd = std::string("regsvr32.exe /s ") + (unregister ? "/u " : "") + "\"" + fw::BinDir() + "\\Zelbo.ocx\"";
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

// A fresh folder `name` in the temp folder holding copies of `files`, named
// relative to the test's own folder; a program started from there finds
// beside it these files and nothing else. Its path, empty when a copy fails.
inline std::string CopyToFolder(const std::string& name, const std::vector<std::string>& files) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string dir = temp + name;
  ::CreateDirectoryA(dir.c_str(), nullptr);
  for (const std::string& f : files) {
    const std::string base = f.substr(f.find_last_of('\\') + 1);  // the whole name when it has no folder
    if (!::CopyFileA((fw::BinDir() + "\\" + f).c_str(), (dir + "\\" + base).c_str(), FALSE)) return "";
  }
  return dir;
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

// The index of the drive's item in the drive list, or -1.
inline int DriveItemIndex(HWND combo, char letter) {
  const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    // Across processes the item text is passed reliably only in wide form.
    wchar_t item[64] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    if (std::towupper(item[2]) == static_cast<wchar_t>(letter)) return i;
  }
  return -1;
}

// Selects the drive's item in the drive list and tells the window, as a user's
// choice does; with `tell` false the list changes behind the window's back.
// The window fills the list once it has first shown: the item is waited for.
inline bool ChooseDrive(HWND dlg, char letter, bool tell = true) {
  HWND combo = ::GetDlgItem(dlg, IDC_DRIVE_LIST);
  int index = -1;
  if (!WaitFor([&] { return (index = DriveItemIndex(combo, letter)) >= 0; })) return false;
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (tell) ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_DRIVE_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  return true;
}

inline void EndWithEscape(HWND dlg) { ::PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

}  // namespace vantrel::e2e
