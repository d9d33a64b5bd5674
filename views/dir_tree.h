// The directory tree's logic: one root per usable drive, directories listed
// lazily on expansion and dropped on collapse, and a check of the volume in
// removable and CD-ROM drives so that a changed disk resets its branch. It
// drives an abstract tree (the tree control in the product) and runs on the
// listing and drive services.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "views/dir_lister.h"

namespace vantrel {

// An item of the tree; null stands for none (and, as a parent, the top level).
struct TreeItemTag;
using TreeItem = TreeItemTag*;

class TreeModel {
 public:
  enum class Order { Last, Sorted };

  virtual ~TreeModel() = default;
  // Inserts an item under `parent` (null: at the top level), after the last
  // sibling or in the tree's sorted order. Null when it cannot be inserted.
  virtual TreeItem Insert(TreeItem parent, const wchar_t* text, int image, int selectedImage, Order order) = 0;
  virtual void Delete(TreeItem item) = 0;
  virtual TreeItem FirstChild(TreeItem item) const = 0;
  virtual TreeItem NextSibling(TreeItem item) const = 0;
  virtual TreeItem Parent(TreeItem item) const = 0;
  virtual std::wstring Text(TreeItem item) const = 0;
  // Makes the item the caret item; the tree reports the selection change.
  virtual void Select(TreeItem item) = 0;
  // Expands or collapses the item; the tree reports the expansion first
  // (OnItemExpanding), which may refuse it.
  virtual void Expand(TreeItem item, bool expand) = 0;
};

// Cells of the tree's image list.
enum TreeImage : int {
  kImageHardDrive = 0,  // also the placeholder child
  kImageFloppy = 1,
  kImageCdrom = 2,
  kImageNetwork = 3,
  kImageRamDisk = 4,
  kImageFolder = 5,
  kImageOpenFolder = 6,
};

inline constexpr std::uint32_t kNoVolume = 0xFFFFFFFF;

// What an expansion refused because the disk changed or the directory went
// away leaves to do to the tree. It removes the notified item or a branch
// holding it, so it runs once the tree control is done with that item.
struct TreeRepair {
  enum Kind { kNone, kResetBranch, kDeleteItem };
  Kind kind = kNone;
  TreeItem item = nullptr;  // the drive root to reset, or the item to delete
};

struct ExpandOutcome {
  bool refuse = false;  // the notification's result: non-zero refuses
  TreeRepair repair;
};

class DirTree {
 public:
  DirTree(TreeModel& tree, DirectoryLister& lister, DriveQuery& drives)
      : tree_(tree), lister_(lister), drives_(drives) {
    volumeSerial_.fill(kNoVolume);
  }

  // Inserts a root per usable drive in letter order and returns how many. The
  // first fixed drive is selected, then expanded.
  int PopulateDrives();

  // The full path of an item, rebuilt from the texts up to its root; a
  // placeholder gives its parent's path, no item an empty one.
  std::wstring GetItemPath(TreeItem item) const;

  // The item-expanding notification. Lists the item afresh on expansion and
  // drops its children on collapse; a changed disk or a vanished directory
  // refuses the action and leaves a repair to run (Repair) after the
  // notification has returned.
  ExpandOutcome OnItemExpanding(bool expand, TreeItem item);
  void Repair(const TreeRepair& repair);

 private:
  bool AddDriveRoot(const std::wstring& root);
  int AddSubdirectories(TreeItem item, const std::wstring& path);
  void AddDummyIfHasSubdirs(TreeItem item, const std::wstring& path);
  bool HasSubdirectories(const std::wstring& path);
  void InsertDummyChild(TreeItem item);
  int DeleteChildren(TreeItem item);
  TreeItem GetRootOf(TreeItem item) const;
  bool IsRootItem(TreeItem item) const { return tree_.Parent(item) == nullptr; }
  std::uint32_t GetVolumeSerial(const std::wstring& root);
  bool IsSameVolume(const std::wstring& path);
  bool DirectoryExists(const std::wstring& path);

  TreeModel& tree_;
  DirectoryLister& lister_;
  DriveQuery& drives_;
  // Last serial read per drive letter (kNoVolume: the read failed); only
  // removable and CD-ROM drives use their slot.
  std::array<std::uint32_t, 26> volumeSerial_;
  bool selectFirstFixed_ = true;
  // Set while a repair collapses a branch: that collapse's own notification
  // is let through untouched, or a drive without a medium would refuse it and
  // ask for the same repair again.
  bool repairing_ = false;
};

}  // namespace vantrel
