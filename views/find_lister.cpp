#include "views/find_lister.h"

#include "fw/handle.h"

namespace vantrel {

namespace {

HANDLE FindHandle(DirectoryLister::ListingId id) { return reinterpret_cast<HANDLE>(id); }

}  // namespace

DirEntry FindFileLister::Current() const {
  // The record carries a reparse point's tag in its first reserved field.
  return {record_.cFileName, record_.dwFileAttributes,
          record_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT ? record_.dwReserved0 : 0,
          (std::uint64_t{record_.nFileSizeHigh} << 32) | record_.nFileSizeLow};
}

DirectoryLister::ListingId FindFileLister::First(const wchar_t* pattern, DirEntry& first) {
  // The basic level leaves out the short names, which nothing here reads; the
  // large fetch asks for many entries per call into the file system.
  fw::UniqueFind find(::FindFirstFileExW(ExtendedPath(pattern).c_str(), FindExInfoBasic, &record_,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return kNoListing;
  first = Current();
  // From here the caller's Listing owns the handle and gives it back to Close.
  return reinterpret_cast<ListingId>(find.release());
}

bool FindFileLister::Next(ListingId id, DirEntry& entry) {
  if (!::FindNextFileW(FindHandle(id), &record_)) return false;
  entry = Current();
  return true;
}

void FindFileLister::Close(ListingId id) {
  fw::UniqueFind closing(FindHandle(id));  // closed as it goes out of scope
}

}  // namespace vantrel
