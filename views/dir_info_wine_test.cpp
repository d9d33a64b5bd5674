// The directory view on real folders made here, below the temporary folder of
// drive C:, reached through the tree as a user does: each level selected, then
// expanded or collapsed with the keyboard.
#include "views/dir_info_dlg.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "res/resource.h"

namespace vantrel {
namespace {

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA data;
  fw::UniqueFind find(::FindFirstFileA((dir + "\\*").c_str(), &data));
  if (find) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(dir + "\\" + name);
      else
        ::DeleteFileA((dir + "\\" + name).c_str());
    } while (::FindNextFileA(find.get(), &data));
  }
  find.reset();
  ::RemoveDirectoryA(dir.c_str());
}

class DirInfoWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
  }
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
    ASSERT_EQ(std::string(temp).substr(0, 3), "C:\\");
    folder_ = std::string(temp) + "vt_view_" + std::to_string(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr));
    // Opening walks the first fixed drive, C:, whole.
    ASSERT_TRUE(view_.Create(IDD_DIRECTORY_INFO, nullptr));
    tree_ = view_.GetDlgItem(IDC_DIR_TREE);
  }
  void TearDown() override {
    view_.DestroyWindow();
    RemoveTree(folder_);
  }

  void MakeDir(const std::string& name) { ASSERT_TRUE(::CreateDirectoryA((folder_ + "\\" + name).c_str(), nullptr)); }

  std::string Text(HTREEITEM item) const {
    char text[MAX_PATH] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = sizeof text;
    TreeView_GetItem(tree_, &query);
    return text;
  }
  std::vector<std::string> Children(HTREEITEM item) const {
    std::vector<std::string> names;
    for (HTREEITEM child = TreeView_GetChild(tree_, item); child; child = TreeView_GetNextSibling(tree_, child))
      names.push_back(Text(child));
    return names;
  }
  HTREEITEM Child(HTREEITEM parent, const std::string& name) const {
    for (HTREEITEM child = parent ? TreeView_GetChild(tree_, parent) : TreeView_GetRoot(tree_); child;
         child = TreeView_GetNextSibling(tree_, child))
      if (::lstrcmpiA(Text(child).c_str(), name.c_str()) == 0) return child;
    return nullptr;
  }
  bool IsExpanded(HTREEITEM item) const { return TreeView_GetItemState(tree_, item, TVIS_EXPANDED) & TVIS_EXPANDED; }

  // What the user does: selects the item, then presses + or - on it.
  void Select(HTREEITEM item) { TreeView_SelectItem(tree_, item); }
  void Key(HTREEITEM item, WPARAM key) {
    Select(item);
    ::SendMessageA(tree_, WM_KEYDOWN, key, 0);
  }

  // Selects the test folder, opening every level on the way from C:\.
  HTREEITEM OpenFolder() {
    HTREEITEM item = Child(nullptr, "C:\\");
    for (std::size_t from = 3; item && from < folder_.size();) {
      std::size_t end = folder_.find('\\', from);
      if (end == std::string::npos) end = folder_.size();
      if (!IsExpanded(item)) Key(item, VK_ADD);
      item = Child(item, folder_.substr(from, end - from));
      from = end + 1;
    }
    if (item) Select(item);
    return item;
  }
  std::string Shown(int id) const { return view_.GetDlgItemText(id); }

  // Presses the right (increasing) or left arrow of the unit selector.
  void StepUnit(bool up) {
    HWND selector = view_.GetDlgItem(IDC_DIR_UNIT);
    RECT r{};
    ::GetClientRect(selector, &r);
    const LPARAM at = MAKELPARAM(up ? r.right * 3 / 4 : r.right / 4, r.bottom / 2);
    ::SendMessageA(selector, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(selector, WM_LBUTTONUP, 0, at);
  }

  std::string folder_;
  CDirInfoDlg view_{TextColours{0, 0}};
  HWND tree_ = nullptr;
};

TEST_F(DirInfoWindow, TheUnitSelectorWrapsAndReformatsTheLastTotalsWithoutAWalk) {
  {
    fw::UniqueKernelHandle file(
        ::CreateFileA((folder_ + "\\one").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), "v", 1, &written, nullptr));
  }
  ASSERT_NE(OpenFolder(), nullptr);
  EXPECT_EQ(Shown(IDC_DIR_PATH), folder_);
  EXPECT_EQ(Shown(IDC_DIR_FILES_HERE), "1");
  EXPECT_EQ(Shown(IDC_DIR_PERCENT), "<1%");
  // Gone from the disk: a walk now would show "Empty".
  ASSERT_TRUE(::DeleteFileA((folder_ + "\\one").c_str()));

  const struct {
    bool up;
    const char* actual;
    const char* used;
  } steps[] = {
      {false, " <1 KB", "4 KB"},            // from megabytes down
      {true, " <1 MB", " <1 MB"},           // and back
      {true, " <1 GB", " <1 GB"},           // to the last unit
      {true, "1 Byte(s)", "4096 Byte(s)"},  // past it, round to the first
      {false, " <1 GB", " <1 GB"},          // and below the first, round to the last
  };
  for (const auto& s : steps) {
    StepUnit(s.up);
    EXPECT_EQ(Shown(IDC_DIR_ACTUAL_SIZE), s.actual);
    EXPECT_EQ(Shown(IDC_DIR_SPACE_USED), s.used);
  }
  EXPECT_EQ(Shown(IDC_DIR_FILES_HERE), "1");
  EXPECT_EQ(Shown(IDC_DIR_PERCENT), "<1%");
}

TEST_F(DirInfoWindow, TheTreeFollowsTheFoldersOnDiskAtEachExpansion) {
  MakeDir("a");
  MakeDir("gone");
  MakeDir("gone\\inner");
  HTREEITEM folder = OpenFolder();
  ASSERT_NE(folder, nullptr);

  Key(folder, VK_ADD);
  EXPECT_EQ(Children(folder), (std::vector<std::string>{"a", "gone"}));
  EXPECT_EQ(Children(Child(folder, "a")), std::vector<std::string>{}) << "no subdirectory, no button";
  EXPECT_EQ(Children(Child(folder, "gone")), std::vector<std::string>{""}) << "a placeholder for the button";

  // Collapsed, the folder keeps one placeholder; expanded again, it is listed
  // afresh and shows what was made in between.
  Key(folder, VK_SUBTRACT);
  EXPECT_FALSE(IsExpanded(folder));
  EXPECT_EQ(Children(folder), std::vector<std::string>{""});
  MakeDir("z");
  Key(folder, VK_ADD);
  EXPECT_EQ(Children(folder), (std::vector<std::string>{"a", "gone", "z"}));

  // A directory removed since it was listed goes from the tree when it is next
  // expanded, once the tree is done with its own notification; the selection
  // moves to its parent, which the view shows, and not to a sibling.
  RemoveTree(folder_ + "\\gone");
  Key(Child(folder, "gone"), VK_ADD);
  EXPECT_EQ(Children(folder), (std::vector<std::string>{"a", "z"}));
  EXPECT_EQ(TreeView_GetSelection(tree_), folder);
  EXPECT_EQ(Shown(IDC_DIR_PATH), folder_);
  EXPECT_EQ(Shown(IDC_DIR_SUBDIRS), "2");

  // The folder cell keeps its own colour, and its corner lets the tree's
  // background through.
  HIMAGELIST images = TreeView_GetImageList(tree_, TVSIL_NORMAL);
  ASSERT_EQ(ImageList_GetImageCount(images), 7);
  fw::UniqueDc cell(::CreateCompatibleDC(nullptr));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, 16, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  fw::UniqueBitmap canvas(::CreateDIBSection(cell.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  fw::SelectScope select(cell.get(), canvas.get());
  const RECT all{0, 0, 16, 16};
  ::FillRect(cell.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(images, kImageFolder, cell.get(), 0, 0, ILD_NORMAL);
  EXPECT_EQ(::GetPixel(cell.get(), 8, 10), RGB(232, 184, 56));
  EXPECT_EQ(::GetPixel(cell.get(), 0, 0), RGB(255, 255, 255));

  // The tree shows the pointing hand over all of itself, the scroll bar too.
  EXPECT_EQ(::SendMessageA(tree_, WM_SETCURSOR, reinterpret_cast<WPARAM>(tree_), MAKELPARAM(HTVSCROLL, WM_MOUSEMOVE)),
            TRUE);
  EXPECT_EQ(::GetCursor(), ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_POINTING_HAND)));
}

}  // namespace
}  // namespace vantrel
