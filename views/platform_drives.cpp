#include "views/platform_drives.h"

#include <windows.h>

namespace vantrel {

std::uint32_t PlatformDrives::LogicalDrives() { return ::GetLogicalDrives(); }

unsigned PlatformDrives::DriveType(const char* root) { return ::GetDriveTypeA(root); }

bool PlatformDrives::VolumeSerial(const char* root, std::uint32_t& serial) {
  DWORD value = 0;
  // The serial number only: no name or file-system buffers.
  if (!::GetVolumeInformationA(root, nullptr, 0, &value, nullptr, nullptr, nullptr, 0)) return false;
  serial = value;
  return true;
}

bool PlatformDrives::DiskTotal(const char* path, std::uint64_t& totalBytes) {
  ULARGE_INTEGER total{};
  if (!::GetDiskFreeSpaceExA(path, nullptr, &total, nullptr)) return false;
  totalBytes = total.QuadPart;
  return true;
}

}  // namespace vantrel
