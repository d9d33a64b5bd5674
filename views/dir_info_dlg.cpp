#include "views/dir_info_dlg.h"

#include <commctrl.h>

#include "fw/busy_scope.h"
#include "fw/ddx.h"
#include "res/resource.h"
#include "views/hand_controls.h"
#include "views/size_format.h"

namespace vantrel {

CDirInfoDlg::CDirInfoDlg(TextColours colours) : CProgramDialog(IDD_DIRECTORY_INFO), m_colours(colours) {}

void CDirInfoDlg::DoDataExchange(fw::CDataExchange* dx) {
  fw::CDialog::DoDataExchange(dx);
  fw::DDX_Control(dx, IDC_DIR_TREE, m_tree);
  fw::DDX_Control(dx, IDC_DIR_UNIT, m_unitSelector);
  fw::DDX_Control(dx, IDC_DIR_PERCENT_BAR, m_bar);
  // The window only shows the texts; nothing is read back.
  DirViewTexts t = m_view.Texts();
  fw::DDX_Text(dx, IDC_DIR_PATH, t.path);
  fw::DDX_Text(dx, IDC_DIR_FILES_HERE, t.filesHere);
  fw::DDX_Text(dx, IDC_DIR_FILES_IN_SUBDIRS, t.filesInSubdirs);
  fw::DDX_Text(dx, IDC_DIR_TOTAL_FILES, t.totalFiles);
  fw::DDX_Text(dx, IDC_DIR_SUBDIRS, t.subDirs);
  fw::DDX_Text(dx, IDC_DIR_ACTUAL_SIZE, t.actualSize);
  fw::DDX_Text(dx, IDC_DIR_SPACE_USED, t.spaceUsed);
  fw::DDX_Text(dx, IDC_DIR_PERCENT, t.percent);
}

LRESULT CDirInfoDlg::OnNotify(NMHDR* header) {
  const auto* info = reinterpret_cast<const NMTREEVIEWA*>(header);
  if (info->hdr.idFrom == IDC_DIR_TREE && (info->hdr.code == TVN_SELCHANGEDA || info->hdr.code == TVN_SELCHANGEDW)) {
    OnSelChangedTree(info->itemNew.hItem);
    return 0;
  }
  return CProgramDialog::OnNotify(header);
}

BOOL CDirInfoDlg::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  fw::BusyScope busy(m_hWnd);
  m_unitSelector.SendMessage(UDM_SETRANGE32, kUnitBytes, kUnitGigabytes);
  m_unitSelector.SendMessage(UDM_SETPOS32, 0, kUnitMegabytes);
  m_bar.SendMessage(PBM_SETRANGE32, 0, 100);
  // Loaded as a section of its own colours: a bitmap for the screen would give
  // an image list of the platform's sixteen basic colours.
  m_images.reset(::ImageList_LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TREE_IMAGES), 16, 1,
                                        RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
  m_tree.SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images.get()));
  // Selects the first fixed drive, which this window then walks whole: the
  // unit and the bar's range are already set for that first walk.
  m_tree.PopulateDrives();
  return TRUE;
}

void CDirInfoDlg::OnSelChangedTree(HTREEITEM item) {
  if (!m_view.SelectPath(m_tree.GetItemPath(item))) return;
  fw::BusyScope busy(m_hWnd);
  m_view.Scan(m_lister, m_drives, UnitPosition());
  PushTexts();
}

LRESULT CDirInfoDlg::OnHScroll(UINT, HWND) {
  if (!m_view.ChangeUnit(UnitPosition())) return 0;
  PushTexts();
  return Default();
}

int CDirInfoDlg::UnitPosition() const { return LOWORD(m_unitSelector.SendMessage(UDM_GETPOS)); }

void CDirInfoDlg::PushTexts() {
  UpdateData(FALSE);
  m_bar.SendMessage(PBM_SETPOS, static_cast<WPARAM>(m_view.Texts().bar));
}

}  // namespace vantrel
