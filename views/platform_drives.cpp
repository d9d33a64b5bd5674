#include "views/platform_drives.h"

#include <windows.h>

#include <cwchar>

namespace vantrel {

std::uint32_t PlatformDrives::LogicalDrives() { return ::GetLogicalDrives(); }

unsigned PlatformDrives::DriveType(const wchar_t* root) { return ::GetDriveTypeW(root); }

bool PlatformDrives::VolumeSerial(const wchar_t* root, std::uint32_t& serial) {
  DWORD value = 0;
  // The serial number only: no name or file-system buffers.
  if (!::GetVolumeInformationW(root, nullptr, 0, &value, nullptr, nullptr, nullptr, 0)) return false;
  serial = value;
  return true;
}

bool PlatformDrives::DiskTotal(const wchar_t* path, std::uint64_t& totalBytes) {
  ULARGE_INTEGER total{};
  // A folder deeper than the classic limit is asked in the extended form.
  const std::wstring asked = std::wcslen(path) < MAX_PATH ? std::wstring(path) : ExtendedPath(path);
  if (!::GetDiskFreeSpaceExW(asked.c_str(), nullptr, &total, nullptr)) return false;
  totalBytes = total.QuadPart;
  return true;
}

}  // namespace vantrel
