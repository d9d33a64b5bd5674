// Drive letters, types, volume serial numbers and sizes from the platform.
#pragma once

#include "views/dir_lister.h"

namespace vantrel {

class PlatformDrives : public DriveQuery {
 public:
  std::uint32_t LogicalDrives() override;
  unsigned DriveType(const char* root) override;
  bool VolumeSerial(const char* root, std::uint32_t& serial) override;
  bool DiskTotal(const char* path, std::uint64_t& totalBytes) override;
};

}  // namespace vantrel
