// Drive letters, types, volume serial numbers and sizes from the platform.
#pragma once

#include "views/dir_lister.h"

namespace vantrel {

class PlatformDrives : public DriveQuery {
 public:
  std::uint32_t LogicalDrives() override;
  unsigned DriveType(const wchar_t* root) override;
  bool VolumeSerial(const wchar_t* root, std::uint32_t& serial) override;
  bool DiskTotal(const wchar_t* path, std::uint64_t& totalBytes) override;
};

}  // namespace vantrel
