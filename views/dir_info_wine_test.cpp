// The directory view on real folders made here, below the temporary folder of
// drive C: (and, for the names and depths a user meets, below the link
// fixture's folder), reached through the tree as a user does: each level
// selected, then expanded or collapsed with the keyboard.
#include "views/dir_info_dlg.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fw/window_text.h"
#include "res/resource.h"
#include "views/dir_scan.h"
#include "views/size_format.h"
#include "views/wine_test_files.h"

namespace vantrel {
namespace {

// The temporary folder's path is plain ASCII under Wine's prefix.
std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

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
    RemoveTree(Wide(folder_));
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

  // Selects a folder, opening every level on the way from its drive's root
  // without selecting it: a selection walks the whole of what it selects.
  HTREEITEM Open(const std::string& path) {
    HTREEITEM item = Child(nullptr, path.substr(0, 3));
    for (std::size_t from = 3; item && from < path.size();) {
      std::size_t end = path.find('\\', from);
      if (end == std::string::npos) end = path.size();
      if (!IsExpanded(item)) TreeView_Expand(tree_, item, TVE_EXPAND);
      item = Child(item, path.substr(from, end - from));
      from = end + 1;
    }
    if (item) Select(item);
    return item;
  }
  HTREEITEM OpenFolder() { return Open(folder_); }
  std::string Shown(int id) const { return view_.GetDlgItemText(id); }
  std::wstring ShownW(int id) const { return fw::WindowTextW(view_.GetDlgItem(id)); }

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
  RemoveTree(Wide(folder_ + "\\gone"));
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

TEST_F(DirInfoWindow, EveryNameAndEveryLevelCountsAndShowsAsItIs) {
  // link_fixture.sh makes the folder with a link "loop" back to itself (and
  // removes it all after the run); the rest is made here. Two of the names
  // become the same "??" in the ANSI code page, and the chain reaches past
  // 300 characters.
  const char* fixture = std::getenv("VT_LINK_FIXTURE");
  ASSERT_NE(fixture, nullptr) << "run through ctest, which makes the link fixture";
  const std::string root = std::string(fixture) + "\\names";
  const std::wstring rootW = Wide(root);
  std::wstring chain = L"abcdefghij";
  for (int i = 1; i < 30; ++i) chain += L"\\abcdefghij";
  const struct {
    const wchar_t* dir;
    const wchar_t* file;
    std::uint64_t size;
  } made[] = {
      {L"\u0420\u0443\u0441\u0441\u043a\u0438\u0439", L"\u0444\u0430\u0439\u043b.txt", 1000},  // Русский, файл.txt
      {L"\u65e5\u672c\u8a9e", L"\u30d5\u30a1\u30a4\u30eb", 2000},  // 日本語, ファイル
      {L"emoji\U0001F600", L"\U0001F600.bin", 3000},
      {L"R&D", L"a&b", 4000},
      {L"\u4e2d\u6587", L"x", 5000},  // 中文
      {L"\ud55c\uad6d", L"y", 6000},  // 한국
      {chain.c_str(), L"bottom", 7000},
      {nullptr, L"top", 10},  // in the folder itself
  };
  DirScan expected;
  expected.subdirs = 1;  // the link, counted and not entered
  std::vector<std::wstring> names = {L"loop"};
  for (const auto& m : made) {
    std::wstring dir = rootW;
    for (std::wstring_view rest = m.dir ? m.dir : L""; !rest.empty();) {
      const std::size_t cut = std::min(rest.find(L'\\'), rest.size());
      dir += L"\\";
      dir += rest.substr(0, cut);
      vantrel::MakeDir(dir);
      if (dir.size() == rootW.size() + 1 + cut) names.push_back(std::wstring(rest.substr(0, cut)));
      ++expected.subdirs;
      rest.remove_prefix(std::min(cut + 1, rest.size()));
    }
    MakeFile(dir + L"\\" + m.file, m.size);
    ++(m.dir ? expected.filesInSubdirs : expected.filesHere);
    expected.actualBytes += m.size;
    expected.usedBytes += AllocatedSize(m.size);
  }
  ASSERT_GT(rootW.size() + 1 + chain.size(), 300u);
  char ansi[2][8] = {};
  for (int i = 0; i < 2; ++i)
    ::WideCharToMultiByte(CP_ACP, 0, made[4 + i].dir, -1, ansi[i], sizeof ansi[i], nullptr, nullptr);
  ASSERT_STREQ(ansi[0], ansi[1]) << "both names are told apart in this code page";

  ::SendMessageA(view_.GetDlgItem(IDC_DIR_UNIT), UDM_SETPOS32, 0, kUnitBytes);
  HTREEITEM item = Open(root);
  ASSERT_NE(item, nullptr);
  const DirectorySizeTexts sizes = FormatDirectorySizes(expected.actualBytes, expected.usedBytes, kUnitBytes);
  const std::pair<int, std::string> shown[] = {
      {IDC_DIR_FILES_HERE, std::to_string(expected.filesHere)},
      {IDC_DIR_FILES_IN_SUBDIRS, std::to_string(expected.filesInSubdirs)},
      {IDC_DIR_TOTAL_FILES, std::to_string(expected.TotalFiles())},
      {IDC_DIR_SUBDIRS, std::to_string(expected.subdirs)},
      {IDC_DIR_ACTUAL_SIZE, sizes.actual},
      {IDC_DIR_SPACE_USED, sizes.spaceUsed},
  };
  for (const auto& [id, text] : shown) EXPECT_EQ(Shown(id), text) << id;

  // The tree lists every folder under its own name, the link too.
  Key(item, VK_ADD);
  std::vector<std::wstring> listed;
  for (HTREEITEM child = TreeView_GetChild(tree_, item); child; child = TreeView_GetNextSibling(tree_, child))
    listed.push_back(fw::TreeItemText(tree_, child));
  std::sort(listed.begin(), listed.end());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(listed, names);

  // The path shows whole, its "&" as it is.
  for (HTREEITEM child = TreeView_GetChild(tree_, item); child; child = TreeView_GetNextSibling(tree_, child))
    if (fw::TreeItemText(tree_, child) == L"R&D") Select(child);
  EXPECT_EQ(ShownW(IDC_DIR_PATH), rootW + L"\\R&D");
  EXPECT_EQ(Shown(IDC_DIR_TOTAL_FILES), "1");
  EXPECT_TRUE(::GetWindowLongA(view_.GetDlgItem(IDC_DIR_PATH), GWL_STYLE) & SS_NOPREFIX);
}

}  // namespace
}  // namespace vantrel
