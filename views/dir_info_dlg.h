// CDirInfoDlg: the modal "Directory Info View". The directory tree on the
// left; for the selected directory the files directly in it and in its
// subdirectories, the subdirectories at all depths, the actual size and the
// space used in the unit the selector shows, and the share of the drive.
// Every selection change walks the directory afresh; a selector step only
// reformats the last totals.
#pragma once

#include <windows.h>

#include "fw/handle.h"
#include "views/dir_tree_ctrl.h"
#include "views/dir_view.h"
#include "views/find_lister.h"
#include "views/platform_drives.h"
#include "views/program_dialog.h"

namespace vantrel {

class CDirInfoDlg : public CProgramDialog {
 public:
  // Static texts take the label colour, edits and lists the list colour.
  explicit CDirInfoDlg(TextColours colours);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(fw::CDataExchange* dx) override;
  LRESULT OnNotify(NMHDR* header) override;
  // The unit selector's steps.
  LRESULT OnHScroll(UINT code, HWND bar) override;
  TextColours Colours() const override { return m_colours; }

 private:
  void OnSelChangedTree(HTREEITEM item);
  int UnitPosition() const;
  void PushTexts();

  TextColours m_colours;
  fw::UniqueImageList m_images;  // outlives the tree window, which only borrows it
  CDirTreeCtrl m_tree;
  fw::CWnd m_unitSelector, m_bar;
  // The walk's own listing service: the tree lists with its own.
  FindFileLister m_lister;
  PlatformDrives m_drives;
  DirViewModel m_view;
};

}  // namespace vantrel
