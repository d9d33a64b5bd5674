// The directory-listing and drive services the tree and the scan run on, as
// interfaces: the product implements them over the platform's find functions
// and drive queries, tests over fakes.
#pragma once

#include <cstdint>
#include <cwchar>
#include <string>
#include <string_view>
#include <utility>

namespace vantrel {

inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrReparsePoint = 0x400;
// The bit of a reparse tag that marks another name for something stored
// elsewhere: symbolic links, junctions, mount points.
inline constexpr std::uint32_t kReparseTagNameSurrogate = 0x20000000;

// One entry of a listing. The name points into the lister's single find
// record, so an entry stays valid only until the next First or Next on the
// same lister: read or copy what is needed before starting another listing.
struct DirEntry {
  const wchar_t* name = L"";
  std::uint32_t attributes = 0;
  std::uint32_t reparseTag = 0;  // of a reparse point
  std::uint64_t size = 0;

  bool IsDirectory() const { return (attributes & kAttrDirectory) != 0; }
  // A symbolic link, junction or mount point: a name for a directory kept
  // elsewhere, which may lead back up the tree or onto another volume. Other
  // reparse points (placeholders of files kept in the cloud, deduplicated
  // files) hold their own contents. A reparse point without a tag (Wine
  // lists a Unix symbolic link so) is taken for a link: entering a loop costs
  // more than missing a folder.
  bool IsNameSurrogate() const {
    return (attributes & kAttrReparsePoint) != 0 && (reparseTag == 0 || (reparseTag & kReparseTagNameSurrogate) != 0);
  }
  bool IsDotEntry() const { return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0; }
};

class DirectoryLister {
 public:
  using ListingId = std::uintptr_t;
  static constexpr ListingId kNoListing = 0;

  virtual ~DirectoryLister() = default;
  // Starts listing `pattern` (a directory's search pattern, or a bare path to
  // look that one entry up) and reads the first entry. kNoListing when the
  // listing cannot start: missing, unreadable, no medium, or a path too long
  // even for the file system (32,767 characters).
  virtual ListingId First(const wchar_t* pattern, DirEntry& first) = 0;
  // Reads the next entry; false at the end.
  virtual bool Next(ListingId id, DirEntry& entry) = 0;
  virtual void Close(ListingId id) = 0;
};

// Owns one listing of a lister; closes it when it goes.
class Listing {
 public:
  Listing(DirectoryLister& lister, const wchar_t* pattern) : lister_(&lister) { id_ = lister.First(pattern, entry_); }
  ~Listing() {
    if (id_ != DirectoryLister::kNoListing) lister_->Close(id_);
  }
  Listing(Listing&& o) noexcept
      : lister_(o.lister_), entry_(o.entry_), id_(std::exchange(o.id_, DirectoryLister::kNoListing)) {}
  Listing& operator=(Listing&&) = delete;
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;

  // Whether the listing started; the current entry is then its first.
  explicit operator bool() const { return id_ != DirectoryLister::kNoListing; }
  const DirEntry& Entry() const { return entry_; }
  bool Next() { return lister_->Next(id_, entry_); }

 private:
  DirectoryLister* lister_;
  DirEntry entry_;
  DirectoryLister::ListingId id_ = DirectoryLister::kNoListing;
};

// Drive letters and drive figures.
class DriveQuery {
 public:
  virtual ~DriveQuery() = default;
  // Bit 0 for A: upward.
  virtual std::uint32_t LogicalDrives() = 0;
  // The platform's drive type code for a root path such as "C:\" (see DriveKind).
  virtual unsigned DriveType(const wchar_t* root) = 0;
  // The volume serial number of the medium in a root; false when it cannot be read.
  virtual bool VolumeSerial(const wchar_t* root, std::uint32_t& serial) = 0;
  // Total bytes of the drive holding a path; false when the query fails.
  virtual bool DiskTotal(const wchar_t* path, std::uint64_t& totalBytes) = 0;
};

inline bool EndsWithBackslash(std::wstring_view path) { return !path.empty() && path.back() == L'\\'; }

// A directory's path and a name below it, one backslash between them.
inline std::wstring JoinPath(std::wstring_view dir, std::wstring_view name) {
  std::wstring path(dir);
  if (!EndsWithBackslash(path)) path += L'\\';
  path += name;
  return path;
}

// What lists every entry of a directory: its path and "*.*".
inline std::wstring SearchPattern(std::wstring_view dir) { return JoinPath(dir, L"*.*"); }

// The form of a full path that the platform takes at any length and as it
// is, without dropping trailing dots and spaces of names: "\\?\" before a
// drive path, "\\?\UNC\" in place of a share's leading backslashes. Any
// other path is returned unchanged.
inline std::wstring ExtendedPath(std::wstring_view path) {
  const auto starts = [&](std::wstring_view head) { return path.substr(0, head.size()) == head; };
  if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return std::wstring(L"\\\\?\\").append(path);
  if (starts(L"\\\\") && !starts(L"\\\\?\\") && !starts(L"\\\\.\\"))
    return std::wstring(L"\\\\?\\UNC").append(path.substr(1));
  return std::wstring(path);
}

}  // namespace vantrel
