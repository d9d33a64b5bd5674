// Counts of another process's kernel handles, GDI objects and windows, for the
// soak run and the tests that hold the program's counts.
//
// Wine 8 implements neither GetProcessHandleCount (it reports 0) nor
// GetGuiResources (ERROR_CALL_NOT_IMPLEMENTED). Handles are counted in the
// system's handle list instead, which Wine fills from its server; GDI objects
// in the process's GDI handle table, which its PEB points to, in Wine's
// layout; USER objects as the windows the process owns. The process must be of
// the caller's own width.
#pragma once

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vantrel::counters {

// The system's handle list, as NtQuerySystemInformation class 16 returns it.
struct HandleEntry {
  ULONG ownerPid;
  BYTE objectType;
  BYTE flags;
  USHORT value;
  PVOID object;
  ULONG access;
};

// Kernel handles of process `pid`, or -1.
inline long HandleCount(DWORD pid) {
  std::vector<BYTE> buf(1 << 16);
  NTSTATUS st;
  ULONG need = 0;
  constexpr NTSTATUS kTooSmall = static_cast<NTSTATUS>(0xC0000004L);
  while ((st = ::NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buf.data(),
                                          static_cast<ULONG>(buf.size()), &need)) == kTooSmall)
    buf.resize(buf.size() * 2);
  if (st != 0) return -1;
  ULONG n = 0;
  std::memcpy(&n, buf.data(), sizeof n);
  const auto* entries = reinterpret_cast<const HandleEntry*>(buf.data() + sizeof(void*));
  return static_cast<long>(
      std::count_if(entries, entries + n, [pid](const HandleEntry& e) { return e.ownerPid == pid; }));
}

// One entry of Wine's GDI handle table: an object is live while its type is set.
struct GdiEntry {
  std::uint64_t object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  std::uint64_t user;
};
inline constexpr size_t kGdiEntries = 0x10000;
// GdiSharedHandleTable in the PEB of a process of the caller's own width.
inline constexpr size_t kPebGdiTable = sizeof(void*) == 8 ? 0xF8 : 0x94;

// GDI objects of `process` (opened for query and reading), or -1.
inline long GdiObjectCount(HANDLE process) {
  PROCESS_BASIC_INFORMATION pbi{};
  if (::NtQueryInformationProcess(process, ProcessBasicInformation, &pbi, sizeof pbi, nullptr) != 0) return -1;
  const BYTE* table = nullptr;
  if (!::ReadProcessMemory(process, reinterpret_cast<const BYTE*>(pbi.PebBaseAddress) + kPebGdiTable, &table,
                           sizeof table, nullptr) ||
      !table)
    return -1;
  std::vector<GdiEntry> entries(kGdiEntries);
  if (!::ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiEntry), nullptr)) return -1;
  return static_cast<long>(
      std::count_if(entries.begin(), entries.end(), [](const GdiEntry& e) { return e.type != 0; }));
}

struct WindowTally {
  DWORD pid;
  long count;
};

inline BOOL CALLBACK CountChildWindow(HWND, LPARAM lp) {
  ++reinterpret_cast<WindowTally*>(lp)->count;
  return TRUE;
}

inline BOOL CALLBACK CountTopLevelWindow(HWND wnd, LPARAM lp) {
  auto* t = reinterpret_cast<WindowTally*>(lp);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(wnd, &owner);
  if (owner != t->pid) return TRUE;
  ++t->count;
  ::EnumChildWindows(wnd, CountChildWindow, lp);
  return TRUE;
}

// Windows of process `pid`: top-level ones with their children, and the
// message-only ones (COM's).
inline long WindowCount(DWORD pid) {
  WindowTally t{pid, 0};
  ::EnumWindows(CountTopLevelWindow, reinterpret_cast<LPARAM>(&t));
  for (HWND m = nullptr; (m = ::FindWindowExA(HWND_MESSAGE, m, nullptr, nullptr)) != nullptr;) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(m, &owner);
    if (owner == pid) ++t.count;
  }
  return t.count;
}

}  // namespace vantrel::counters
