#include "views/dir_tree.h"

#include <gtest/gtest.h>

#include "fw/drive_kind.h"
#include "views/fake_file_system.h"

namespace vantrel {
namespace {

using fakes::FakeFileSystem;
using fakes::FakeTree;
using Strings = std::vector<std::wstring>;

class DirTreeTest : public ::testing::Test {
 protected:
  DirTreeTest() {
    tree.logic = &logic;
    tree.log = &fs.log;
  }
  void TearDown() override { EXPECT_EQ(fs.OpenListings(), 0) << "a listing was left open"; }

  TreeItem Root(char letter) const {
    for (TreeItem r : tree.Roots())
      if (tree.Get(r).text[0] == letter) return r;
    return nullptr;
  }
  TreeItem Child(TreeItem parent, const std::wstring& text) const {
    for (TreeItem c : tree.Children(parent))
      if (tree.Get(c).text == text) return c;
    return nullptr;
  }
  // The listings since the last call.
  Strings Listed() {
    Strings out(fs.log.begin() + static_cast<std::ptrdiff_t>(seen_), fs.log.end());
    seen_ = fs.log.size();
    return out;
  }
  static Strings Placeholder() { return {L""}; }
  void ExpectItem(TreeItem item, bool expanded, const Strings& children) const {
    EXPECT_EQ(tree.Get(item).expanded, expanded) << tree.Get(item).text;
    EXPECT_EQ(tree.ChildTexts(item), children) << tree.Get(item).text;
  }

  FakeFileSystem fs;
  FakeTree tree;
  DirTree logic{tree, fs, fs};

 private:
  std::size_t seen_ = 0;
};

TEST_F(DirTreeTest, RootsInLetterOrderAndTheFirstFixedDriveOpens) {
  fs.AddDrive('A', kDriveRemovable);
  fs.AddDrive('B', kDriveUnknown);
  fs.AddDrive('C', kDriveFixed);
  fs.AddDir(L"C:\\Windows");
  fs.AddDir(L"C:\\Windows\\System");
  fs.AddFile(L"C:\\boot.ini", 10);
  fs.AddDrive('D', kDriveCdrom);
  fs.AddDrive('E', kDriveFixed);
  fs.AddDir(L"E:\\Data");
  fs.AddDrive('F', kDriveNoRootDir);
  fs.AddDrive('G', kDriveRemote);
  fs.AddDrive('H', kDriveRamdisk);
  fs.AddFile(L"H:\\only-a-file", 1);

  EXPECT_EQ(logic.PopulateDrives(), 6);

  struct Row {
    const wchar_t* text;
    int image;
    Strings children;
    bool expanded;
  };
  const Row rows[] = {
      {L"A:\\", kImageFloppy, Placeholder(), false}, {L"C:\\", kImageHardDrive, {L"Windows"}, true},
      {L"D:\\", kImageCdrom, Placeholder(), false},  {L"E:\\", kImageHardDrive, Placeholder(), false},
      {L"G:\\", kImageNetwork, {}, false},  // an empty remote root has no button
      {L"H:\\", kImageRamDisk, {}, false},  // files alone give no button
  };
  const auto roots = tree.Roots();
  ASSERT_EQ(roots.size(), std::size(rows));
  for (std::size_t i = 0; i < roots.size(); ++i) {
    const FakeTree::Node& n = tree.Get(roots[i]);
    EXPECT_EQ(n.text, rows[i].text);
    EXPECT_EQ(n.image, rows[i].image) << n.text;
    EXPECT_EQ(n.selectedImage, rows[i].image) << n.text;
    ExpectItem(roots[i], rows[i].expanded, rows[i].children);
  }
  EXPECT_EQ(tree.selected, Root('C'));
  const TreeItem windows = Child(Root('C'), L"Windows");
  EXPECT_EQ(tree.Get(windows).image, kImageFolder);
  EXPECT_EQ(tree.Get(windows).selectedImage, kImageOpenFolder);
  EXPECT_EQ(tree.ChildTexts(windows), Placeholder());

  // Media are not listed while the roots go in; the view hears of the
  // selection before the expansion lists the drive.
  EXPECT_EQ(Listed(),
            (Strings{L"C:\\*.*", L"select C:\\", L"C:\\*.*", L"C:\\Windows\\*.*", L"E:\\*.*", L"G:\\*.*", L"H:\\*.*"}));
}

TEST_F(DirTreeTest, WithoutAFixedDriveNothingIsSelected) {
  fs.AddDrive('A', kDriveRemovable);
  fs.AddDrive('G', kDriveRemote);
  fs.AddDir(L"G:\\share");
  EXPECT_EQ(logic.PopulateDrives(), 2);
  EXPECT_EQ(tree.selected, nullptr);
  EXPECT_FALSE(tree.Get(Root('G')).expanded);
}

TEST_F(DirTreeTest, ItemPaths) {
  fs.AddDrive('C', kDriveFixed);
  fs.AddDir(L"C:\\Windows");
  fs.AddDir(L"C:\\Windows\\System");
  fs.AddDir(L"C:\\Windows\\System\\drivers");
  logic.PopulateDrives();
  const TreeItem c = Root('C'), windows = Child(c, L"Windows");
  tree.Toggle(windows);
  const TreeItem system = Child(windows, L"System");
  const TreeItem placeholder = tree.FirstChild(system);
  ASSERT_EQ(tree.Get(placeholder).text, L"");

  const std::pair<TreeItem, const wchar_t*> cases[] = {{c, L"C:\\"},
                                                       {windows, L"C:\\Windows"},
                                                       {system, L"C:\\Windows\\System"},
                                                       {placeholder, L"C:\\Windows\\System"},
                                                       {nullptr, L""}};
  for (const auto& [item, path] : cases) EXPECT_EQ(logic.GetItemPath(item), path);
}

TEST_F(DirTreeTest, EachExpansionListsAfreshAndACollapseKeepsOnlyAPlaceholder) {
  fs.AddDrive('C', kDriveFixed);
  fs.AddDir(L"C:\\a");
  fs.AddFile(L"C:\\a\\file", 5);
  fs.AddDir(L"C:\\a\\x");
  fs.AddDir(L"C:\\a\\x\\deeper");
  fs.AddHiddenDir(L"C:\\a\\Hidden");
  logic.PopulateDrives();
  const TreeItem a = Child(Root('C'), L"a");
  Listed();

  tree.Toggle(a);
  // One level, and inside each subdirectory just far enough for its button.
  EXPECT_EQ(Listed(), (Strings{L"C:\\a", L"C:\\a\\*.*", L"C:\\a\\x\\*.*", L"C:\\a\\Hidden\\*.*"}));
  EXPECT_EQ(tree.ChildTexts(a), (Strings{L"Hidden", L"x"}));  // sorted; no ".", "..", or files
  EXPECT_EQ(tree.ChildTexts(Child(a, L"x")), Placeholder());
  EXPECT_EQ(tree.ChildTexts(Child(a, L"Hidden")), Strings{});

  tree.Toggle(a);
  ExpectItem(a, false, Placeholder());

  fs.AddDir(L"C:\\a\\new");
  tree.Toggle(a);
  ExpectItem(a, true, {L"Hidden", L"new", L"x"});

  // A drive root gets its button back after every collapse.
  tree.Toggle(Root('C'));
  EXPECT_EQ(tree.ChildTexts(Root('C')), Placeholder());
}

TEST_F(DirTreeTest, ChangesUnderneathShowAtTheNextExpansion) {
  fs.AddDrive('C', kDriveFixed);
  for (const wchar_t* dir : {L"C:\\lost", L"C:\\lost\\x", L"C:\\gone", L"C:\\gone\\y", L"C:\\lk", L"C:\\lk\\z",
                             L"C:\\toolong", L"C:\\toolong\\w"})
    fs.AddDir(dir);
  fs.pathLimit = 12;  // "C:\lost\*.*" fits, "C:\toolong\*.*" is too long
  logic.PopulateDrives();
  const TreeItem c = Root('C');
  ExpectItem(Child(c, L"toolong"), false, {});  // unlistable: no button
  fs.Remove(L"C:\\lost\\x");
  fs.Remove(L"C:\\gone");
  fs.Deny(L"C:\\lk");
  for (const wchar_t* name : {L"lost", L"gone", L"lk"}) tree.Toggle(Child(c, name));
  EXPECT_EQ(tree.ChildTexts(c), (Strings{L"lk", L"lost", L"toolong"}));  // the removed directory left
  ExpectItem(Child(c, L"lost"), false, {});                              // refused, and no button
  ExpectItem(Child(c, L"lk"), false, {});

  // A root that cannot be listed keeps its placeholder.
  fs.Deny(L"C:\\");
  tree.Toggle(c);  // collapse
  tree.Toggle(c);  // refused
  ExpectItem(c, false, Placeholder());
}

TEST_F(DirTreeTest, RemovableMediaComeAndGo) {
  fs.AddDrive('A', kDriveRemovable);
  logic.PopulateDrives();
  const TreeItem a = Root('A');

  // No disk: nothing happens, however often.
  for (int i = 0; i < 2; ++i) {
    tree.Toggle(a);
    ExpectItem(a, false, Placeholder());
  }

  fs.InsertMedium('A', 0x1111);
  fs.AddDir(L"A:\\first");
  fs.AddDir(L"A:\\first\\inner");
  tree.Toggle(a);
  ExpectItem(a, true, {L"first"});

  // Another disk: the first action anywhere on the drive resets its branch...
  fs.InsertMedium('A', 0x2222);
  fs.AddDir(L"A:\\second");
  Listed();
  tree.Toggle(Child(a, L"first"));
  EXPECT_EQ(Listed(), Strings{});
  ExpectItem(a, false, Placeholder());
  // ...and the next one lists the new disk.
  tree.Toggle(a);
  ExpectItem(a, true, {L"second"});

  // The disk taken out while its branch is open: reset, and no listing.
  Listed();
  fs.InsertMedium('A', 0);
  tree.Toggle(a);
  ExpectItem(a, false, Placeholder());
  EXPECT_EQ(Listed(), Strings{});
}

TEST_F(DirTreeTest, ADiskWithoutDirectoriesKeepsTheRootExpandableForTheNext) {
  fs.AddDrive('D', kDriveCdrom);
  logic.PopulateDrives();
  const TreeItem d = Root('D');
  fs.InsertMedium('D', 7);
  fs.AddFile(L"D:\\readme.txt", 100);
  tree.Toggle(d);
  ExpectItem(d, false, Placeholder());

  fs.InsertMedium('D', 8);
  fs.AddDir(L"D:\\setup");
  tree.Toggle(d);  // the change is noticed
  tree.Toggle(d);
  ExpectItem(d, true, {L"setup"});
}

}  // namespace
}  // namespace vantrel
