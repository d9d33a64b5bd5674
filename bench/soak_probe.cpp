// The soak run's helper inside the prefix. "store" writes a settings store in
// which every tick refreshes memory and runs the drive cycle over every fixed
// drive, watched; "pick X" chooses drive X in Vantrel's drive list, so each
// cycle queries it too; "sample" prints Vantrel's handle, GDI object and
// window counts (bench/process_counters.h).
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

#include "bench/process_counters.h"
#include "fw/handle.h"
#include "fw/top_window.h"
#include "res/resource.h"

namespace {

constexpr char kVantrelKey[] = "Software\\Quorvale\\Vantrel";
constexpr wchar_t kImage[] = L"Vantrel.exe";

DWORD FindVantrel() {
  fw::UniqueKernelHandle snap(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W e{};
  e.dwSize = sizeof e;
  for (BOOL ok = ::Process32FirstW(snap.get(), &e); ok; ok = ::Process32NextW(snap.get(), &e))
    if (::lstrcmpiW(e.szExeFile, kImage) == 0) return e.th32ProcessID;
  return 0;
}

void PutDword(HKEY key, const char* name, DWORD value) {
  ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

fw::UniqueKey CreateSection(const std::string& section) {
  fw::UniqueKey key;
  const std::string path = std::string(kVantrelKey) + "\\" + section;
  ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
  return key;
}

// Periods 0 (every tick refreshes both), threshold 0 (no notice stops the
// checks), and a watch list of every fixed drive, all watched.
int WriteStore() {
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kVantrelKey);
  std::vector<int> drives;
  for (int d = 1; d <= 26; ++d) {
    const char root[] = {static_cast<char>('A' + d - 1), ':', '\\', '\0'};
    if ((::GetLogicalDrives() & (1u << (d - 1))) && ::GetDriveTypeA(root) == DRIVE_FIXED) drives.push_back(d);
  }
  fw::UniqueKey settings = CreateSection("Settings");
  if (!settings) return 1;
  PutDword(settings.get(), "MemoryPos", 0);
  PutDword(settings.get(), "DrivePos", 0);
  PutDword(settings.get(), "Percent", 0);
  PutDword(settings.get(), "driveCount", static_cast<DWORD>(drives.size()));
  for (size_t i = 0; i < drives.size(); ++i) {
    fw::UniqueKey entry = CreateSection(std::to_string(i));
    const char path[] = {static_cast<char>('A' + drives[i] - 1), ':', '\\', '\0'};
    ::RegSetValueExA(entry.get(), "path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);
    PutDword(entry.get(), "watch", 1);
    PutDword(entry.get(), "drive", static_cast<DWORD>(drives[i]));
    PutDword(entry.get(), "notify", 1);
  }
  return 0;
}

HWND MainWindow(DWORD pid) {
  return fw::FindTopWindow(
      [&](HWND wnd) { return fw::ProcessOf(wnd) == pid && fw::WindowText(wnd) == "Computer Information"; });
}

int PickDrive(char letter) {
  HWND dlg = MainWindow(FindVantrel());
  if (!dlg) return 1;
  HWND combo = ::GetDlgItem(dlg, IDC_DRIVE_LIST);
  const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    // Across processes only the wide message passes the whole item text.
    wchar_t item[64] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    if (std::towupper(item[2]) != static_cast<wchar_t>(std::toupper(letter))) continue;
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_DRIVE_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return 0;
  }
  return 1;
}

// The smallest of three readings a fifth of a second apart: a handle or object
// that a tick holds for a moment is not counted, one that stays is.
int Sample() {
  const DWORD pid = FindVantrel();
  fw::UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  if (!pid || !process) return 1;
  long handles = LONG_MAX, gdi = LONG_MAX, windows = LONG_MAX;
  for (int i = 0; i < 3; ++i) {
    if (i) ::Sleep(200);
    handles = std::min(handles, vantrel::counters::HandleCount(pid));
    gdi = std::min(gdi, vantrel::counters::GdiObjectCount(process.get()));
    windows = std::min(windows, vantrel::counters::WindowCount(pid));
  }
  std::printf("%ld %ld %ld\n", handles, gdi, windows);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string cmd = argc > 1 ? argv[1] : "";
  if (cmd == "store") return WriteStore();
  if (cmd == "pick" && argc > 2) return PickDrive(argv[2][0]);
  if (cmd == "sample") return Sample();
  std::fprintf(stderr, "usage: SoakProbe store | pick <drive letter> | sample\n");
  return 2;
}
