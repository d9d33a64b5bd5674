// The listing service over FindFirstFileA and FindNextFileA. One find record
// serves every listing: each entry is read into it, so nothing is allocated
// or copied per entry.
#pragma once

#include <windows.h>

#include "views/dir_lister.h"

namespace vantrel {

class FindFileLister : public DirectoryLister {
 public:
  ListingId First(const char* pattern, DirEntry& first) override;
  bool Next(ListingId id, DirEntry& entry) override;
  void Close(ListingId id) override;

 private:
  DirEntry Current() const;

  WIN32_FIND_DATAA record_{};
};

}  // namespace vantrel
