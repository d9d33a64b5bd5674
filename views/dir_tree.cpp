#include "views/dir_tree.h"

#include "fw/drive_kind.h"

namespace vantrel {

namespace {

bool HoldsMedia(unsigned type) { return type == kDriveRemovable || type == kDriveCdrom; }

// The root image of a drive type; -1 for a drive that is not shown.
int RootImage(unsigned type) {
  switch (type) {
    case kDriveRemovable:
      return kImageFloppy;
    case kDriveFixed:
      return kImageHardDrive;
    case kDriveRemote:
      return kImageNetwork;
    case kDriveCdrom:
      return kImageCdrom;
    case kDriveRamdisk:
      return kImageRamDisk;
    default:
      return -1;
  }
}

// The slot of a path's drive letter, or -1 when the path names no drive.
int DriveSlot(const std::wstring& path) {
  if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return -1;
  const wchar_t letter = path[0];
  if (letter >= L'A' && letter <= L'Z') return letter - L'A';
  if (letter >= L'a' && letter <= L'z') return letter - L'a';
  return -1;
}

}  // namespace

int DirTree::PopulateDrives() {
  const std::uint32_t mask = drives_.LogicalDrives();
  int count = 0;
  for (int slot = 0; slot < 26; ++slot) {
    if (!(mask & (std::uint32_t{1} << slot))) continue;
    if (AddDriveRoot(std::wstring{static_cast<wchar_t>(L'A' + slot), L':', L'\\'})) ++count;
  }
  return count;
}

bool DirTree::AddDriveRoot(const std::wstring& root) {
  const unsigned type = drives_.DriveType(root.c_str());
  const int image = RootImage(type);
  if (image < 0) return false;
  TreeItem item = tree_.Insert(nullptr, root.c_str(), image, image, TreeModel::Order::Last);
  if (!item) return false;
  if (HoldsMedia(type)) {
    // The medium is not listed while the tree is built: only its serial is read.
    InsertDummyChild(item);
    volumeSerial_[DriveSlot(root)] = GetVolumeSerial(root);
  } else {
    AddDummyIfHasSubdirs(item, root);
  }
  if (type == kDriveFixed && selectFirstFixed_) {
    // The selection reaches the view, which scans the drive, before the
    // expansion lists it.
    tree_.Select(item);
    tree_.Expand(item, true);
    selectFirstFixed_ = false;
  }
  return true;
}

std::wstring DirTree::GetItemPath(TreeItem item) const {
  std::wstring path;
  for (; item; item = tree_.Parent(item)) {
    std::wstring text = tree_.Text(item);
    if (!path.empty() && !EndsWithBackslash(text)) text += L'\\';
    path.insert(0, text);
  }
  return path;
}

bool DirTree::HasSubdirectories(const std::wstring& path) {
  Listing listing(lister_, SearchPattern(path).c_str());
  if (!listing) return false;
  do {
    const DirEntry& e = listing.Entry();
    if (e.IsDirectory() && !e.IsDotEntry()) return true;
  } while (listing.Next());
  return false;
}

void DirTree::AddDummyIfHasSubdirs(TreeItem item, const std::wstring& path) {
  if (HasSubdirectories(path)) InsertDummyChild(item);
}

void DirTree::InsertDummyChild(TreeItem item) {
  tree_.Insert(item, L"", kImageHardDrive, kImageHardDrive, TreeModel::Order::Last);
}

int DirTree::DeleteChildren(TreeItem item) {
  int count = 0;
  for (TreeItem child = tree_.FirstChild(item); child;) {
    TreeItem next = tree_.NextSibling(child);
    tree_.Delete(child);
    child = next;
    ++count;
  }
  return count;
}

TreeItem DirTree::GetRootOf(TreeItem item) const {
  while (TreeItem parent = tree_.Parent(item)) item = parent;
  return item;
}

int DirTree::AddSubdirectories(TreeItem item, const std::wstring& path) {
  Listing listing(lister_, SearchPattern(path).c_str());
  if (!listing) {
    // A drive root stays expandable, ready for a readable medium.
    if (IsRootItem(item)) InsertDummyChild(item);
    return 0;
  }
  int count = 0;
  do {
    const DirEntry& e = listing.Entry();
    if (!e.IsDirectory() || e.IsDotEntry()) continue;
    // The name lives in the lister's record: take it before the child's own
    // listing reads into that record.
    const std::wstring childPath = JoinPath(path, e.name);
    TreeItem child = tree_.Insert(item, e.name, kImageFolder, kImageOpenFolder, TreeModel::Order::Sorted);
    if (!child) continue;
    AddDummyIfHasSubdirs(child, childPath);
    ++count;
  } while (listing.Next());
  // A root whose medium holds no directory keeps its button, so that another
  // disk put in the drive can still be listed.
  if (count == 0 && IsRootItem(item)) InsertDummyChild(item);
  return count;
}

std::uint32_t DirTree::GetVolumeSerial(const std::wstring& root) {
  std::uint32_t serial = 0;
  return drives_.VolumeSerial(root.c_str(), serial) ? serial : kNoVolume;
}

bool DirTree::IsSameVolume(const std::wstring& path) {
  const int slot = DriveSlot(path);
  if (slot < 0) return true;
  const std::wstring root = path.substr(0, 3);
  if (!HoldsMedia(drives_.DriveType(root.c_str()))) return true;
  std::uint32_t serial = 0;
  if (!drives_.VolumeSerial(root.c_str(), serial)) {
    volumeSerial_[slot] = kNoVolume;
    return false;
  }
  // After a failed read, whatever medium is readable now is accepted; a
  // change is reported once and the next check of the same medium passes.
  const bool same = volumeSerial_[slot] == serial || volumeSerial_[slot] == kNoVolume;
  volumeSerial_[slot] = serial;
  return same;
}

bool DirTree::DirectoryExists(const std::wstring& path) {
  if (path.size() == 3) return true;  // a drive root
  Listing listing(lister_, path.c_str());
  return listing && listing.Entry().IsDirectory();
}

ExpandOutcome DirTree::OnItemExpanding(bool expand, TreeItem item) {
  if (repairing_) return {};
  const std::wstring path = GetItemPath(item);
  if (!IsSameVolume(path)) return {true, {TreeRepair::kResetBranch, GetRootOf(item)}};
  if (!DirectoryExists(path)) return {true, {TreeRepair::kDeleteItem, item}};
  DeleteChildren(item);
  if (expand) return {AddSubdirectories(item, path) == 0, {}};
  if (IsRootItem(item))
    InsertDummyChild(item);
  else
    AddDummyIfHasSubdirs(item, path);
  return {};
}

void DirTree::Repair(const TreeRepair& repair) {
  switch (repair.kind) {
    case TreeRepair::kNone:
      break;
    case TreeRepair::kResetBranch:
      repairing_ = true;
      tree_.Expand(repair.item, false);
      repairing_ = false;
      DeleteChildren(repair.item);
      InsertDummyChild(repair.item);
      break;
    case TreeRepair::kDeleteItem:
      tree_.Delete(repair.item);
      break;
  }
}

}  // namespace vantrel
