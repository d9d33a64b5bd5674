#include "views/find_lister.h"

#include "fw/handle.h"

namespace vantrel {

namespace {

HANDLE FindHandle(DirectoryLister::ListingId id) { return reinterpret_cast<HANDLE>(id); }

}  // namespace

DirEntry FindFileLister::Current() const {
  return {record_.cFileName, record_.dwFileAttributes,
          (std::uint64_t{record_.nFileSizeHigh} << 32) | record_.nFileSizeLow};
}

DirectoryLister::ListingId FindFileLister::First(const char* pattern, DirEntry& first) {
  fw::UniqueFind find(::FindFirstFileA(pattern, &record_));
  if (!find) return kNoListing;
  first = Current();
  // From here the caller's Listing owns the handle and gives it back to Close.
  return reinterpret_cast<ListingId>(find.release());
}

bool FindFileLister::Next(ListingId id, DirEntry& entry) {
  if (!::FindNextFileA(FindHandle(id), &record_)) return false;
  entry = Current();
  return true;
}

void FindFileLister::Close(ListingId id) {
  fw::UniqueFind closing(FindHandle(id));  // closed as it goes out of scope
}

}  // namespace vantrel
