// The listing service over FindFirstFileExW and FindNextFileW. One find
// record serves every listing: each entry is read into it, so nothing is
// allocated or copied per entry. Every path goes to the platform in its
// extended form, so a listing is limited by the file system alone.
#pragma once

#include <windows.h>

#include "views/dir_lister.h"

namespace vantrel {

class FindFileLister : public DirectoryLister {
 public:
  ListingId First(const wchar_t* pattern, DirEntry& first) override;
  bool Next(ListingId id, DirEntry& entry) override;
  void Close(ListingId id) override;

 private:
  DirEntry Current() const;

  WIN32_FIND_DATAW record_{};
};

}  // namespace vantrel
