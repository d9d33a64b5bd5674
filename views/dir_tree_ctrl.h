// CDirTreeCtrl: the directory view's tree control. It drives the platform's
// tree through the directory tree's logic (DirTree) and handles its own
// item-expanding notification, which its parent reflects to it. Over every
// part of itself it shows the pointing hand.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "views/dir_tree.h"
#include "views/find_lister.h"
#include "views/hand_controls.h"
#include "views/platform_drives.h"

namespace vantrel {

class CDirTreeCtrl : public CCursorControl<IDCUR_POINTING_HAND>, private TreeModel {
 public:
  CDirTreeCtrl() = default;

  // Inserts a root per usable drive; the first fixed drive is selected (the
  // parent hears of it at once) and expanded. Returns how many roots.
  int PopulateDrives() { return m_logic.PopulateDrives(); }
  // The full path of an item; empty for none.
  std::wstring GetItemPath(HTREEITEM item) const;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  LRESULT OnItemExpanding(UINT action, HTREEITEM item);
  // The tree's own handling of a message, then whatever repair a refused
  // expansion left, once the tree no longer works on the item.
  LRESULT DefaultThenRepair();
  bool IsWithin(HTREEITEM item, HTREEITEM ancestor) const;

  // The tree, as the logic sees it.
  TreeItem Insert(TreeItem parent, const wchar_t* text, int image, int selectedImage, Order order) override;
  void Delete(TreeItem item) override;
  TreeItem FirstChild(TreeItem item) const override;
  TreeItem NextSibling(TreeItem item) const override;
  TreeItem Parent(TreeItem item) const override;
  std::wstring Text(TreeItem item) const override;
  void Select(TreeItem item) override;
  void Expand(TreeItem item, bool expand) override;

  HTREEITEM NextItem(HTREEITEM item, UINT relation) const;

  FindFileLister m_lister;
  PlatformDrives m_drives;
  DirTree m_logic{*this, m_lister, m_drives};
  // Messages of the tree's own being handled right now, nested ones included.
  int m_nesting = 0;
  TreeRepair m_repair;
};

}  // namespace vantrel
