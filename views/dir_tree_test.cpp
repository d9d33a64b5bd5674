#include "views/dir_tree.h"

#include <gtest/gtest.h>

#include "mainwnd/drive_kind.h"
#include "views/fake_file_system.h"

namespace vantrel {
namespace {

using fakes::FakeFileSystem;
using fakes::FakeTree;
using Strings = std::vector<std::string>;

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
  TreeItem Child(TreeItem parent, const std::string& text) const {
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
  static Strings Placeholder() { return {""}; }
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
  fs.AddDir("C:\\Windows");
  fs.AddDir("C:\\Windows\\System");
  fs.AddFile("C:\\boot.ini", 10);
  fs.AddDrive('D', kDriveCdrom);
  fs.AddDrive('E', kDriveFixed);
  fs.AddDir("E:\\Data");
  fs.AddDrive('F', kDriveNoRootDir);
  fs.AddDrive('G', kDriveRemote);
  fs.AddDrive('H', kDriveRamdisk);
  fs.AddFile("H:\\only-a-file", 1);

  EXPECT_EQ(logic.PopulateDrives(), 6);

  struct Row {
    const char* text;
    int image;
    Strings children;
    bool expanded;
  };
  const Row rows[] = {
      {"A:\\", kImageFloppy, Placeholder(), false}, {"C:\\", kImageHardDrive, {"Windows"}, true},
      {"D:\\", kImageCdrom, Placeholder(), false},  {"E:\\", kImageHardDrive, Placeholder(), false},
      {"G:\\", kImageNetwork, {}, false},  // an empty remote root has no button
      {"H:\\", kImageRamDisk, {}, false},  // files alone give no button
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
  const TreeItem windows = Child(Root('C'), "Windows");
  EXPECT_EQ(tree.Get(windows).image, kImageFolder);
  EXPECT_EQ(tree.Get(windows).selectedImage, kImageOpenFolder);
  EXPECT_EQ(tree.ChildTexts(windows), Placeholder());

  // Media are not listed while the roots go in; the view hears of the
  // selection before the expansion lists the drive.
  EXPECT_EQ(Listed(),
            (Strings{"C:\\*.*", "select C:\\", "C:\\*.*", "C:\\Windows\\*.*", "E:\\*.*", "G:\\*.*", "H:\\*.*"}));
}

TEST_F(DirTreeTest, WithoutAFixedDriveNothingIsSelected) {
  fs.AddDrive('A', kDriveRemovable);
  fs.AddDrive('G', kDriveRemote);
  fs.AddDir("G:\\share");
  EXPECT_EQ(logic.PopulateDrives(), 2);
  EXPECT_EQ(tree.selected, nullptr);
  EXPECT_FALSE(tree.Get(Root('G')).expanded);
}

TEST_F(DirTreeTest, ItemPaths) {
  fs.AddDrive('C', kDriveFixed);
  fs.AddDir("C:\\Windows");
  fs.AddDir("C:\\Windows\\System");
  fs.AddDir("C:\\Windows\\System\\drivers");
  logic.PopulateDrives();
  const TreeItem c = Root('C'), windows = Child(c, "Windows");
  tree.Toggle(windows);
  const TreeItem system = Child(windows, "System");
  const TreeItem placeholder = tree.FirstChild(system);
  ASSERT_EQ(tree.Get(placeholder).text, "");

  const std::pair<TreeItem, const char*> cases[] = {{c, "C:\\"},
                                                    {windows, "C:\\Windows"},
                                                    {system, "C:\\Windows\\System"},
                                                    {placeholder, "C:\\Windows\\System"},
                                                    {nullptr, ""}};
  for (const auto& [item, path] : cases) EXPECT_EQ(logic.GetItemPath(item), path);
}

TEST_F(DirTreeTest, EachExpansionListsAfreshAndACollapseKeepsOnlyAPlaceholder) {
  fs.AddDrive('C', kDriveFixed);
  fs.AddDir("C:\\a");
  fs.AddFile("C:\\a\\file", 5);
  fs.AddDir("C:\\a\\x");
  fs.AddDir("C:\\a\\x\\deeper");
  fs.AddHiddenDir("C:\\a\\Hidden");
  logic.PopulateDrives();
  const TreeItem a = Child(Root('C'), "a");
  Listed();

  tree.Toggle(a);
  // One level, and inside each subdirectory just far enough for its button.
  EXPECT_EQ(Listed(), (Strings{"C:\\a", "C:\\a\\*.*", "C:\\a\\x\\*.*", "C:\\a\\Hidden\\*.*"}));
  EXPECT_EQ(tree.ChildTexts(a), (Strings{"Hidden", "x"}));  // sorted; no ".", "..", or files
  EXPECT_EQ(tree.ChildTexts(Child(a, "x")), Placeholder());
  EXPECT_EQ(tree.ChildTexts(Child(a, "Hidden")), Strings{});

  tree.Toggle(a);
  ExpectItem(a, false, Placeholder());

  fs.AddDir("C:\\a\\new");
  tree.Toggle(a);
  ExpectItem(a, true, {"Hidden", "new", "x"});

  // A drive root gets its button back after every collapse.
  tree.Toggle(Root('C'));
  EXPECT_EQ(tree.ChildTexts(Root('C')), Placeholder());
}

TEST_F(DirTreeTest, ChangesUnderneathShowAtTheNextExpansion) {
  fs.AddDrive('C', kDriveFixed);
  for (const char* dir :
       {"C:\\lost", "C:\\lost\\x", "C:\\gone", "C:\\gone\\y", "C:\\lk", "C:\\lk\\z", "C:\\toolong", "C:\\toolong\\w"})
    fs.AddDir(dir);
  fs.pathLimit = 12;  // "C:\lost\*.*" fits, "C:\toolong\*.*" is too long
  logic.PopulateDrives();
  const TreeItem c = Root('C');
  ExpectItem(Child(c, "toolong"), false, {});  // unlistable: no button
  fs.Remove("C:\\lost\\x");
  fs.Remove("C:\\gone");
  fs.Deny("C:\\lk");
  for (const char* name : {"lost", "gone", "lk"}) tree.Toggle(Child(c, name));
  EXPECT_EQ(tree.ChildTexts(c), (Strings{"lk", "lost", "toolong"}));  // the removed directory left
  ExpectItem(Child(c, "lost"), false, {});                            // refused, and no button
  ExpectItem(Child(c, "lk"), false, {});

  // A root that cannot be listed keeps its placeholder.
  fs.Deny("C:\\");
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
  fs.AddDir("A:\\first");
  fs.AddDir("A:\\first\\inner");
  tree.Toggle(a);
  ExpectItem(a, true, {"first"});

  // Another disk: the first action anywhere on the drive resets its branch...
  fs.InsertMedium('A', 0x2222);
  fs.AddDir("A:\\second");
  Listed();
  tree.Toggle(Child(a, "first"));
  EXPECT_EQ(Listed(), Strings{});
  ExpectItem(a, false, Placeholder());
  // ...and the next one lists the new disk.
  tree.Toggle(a);
  ExpectItem(a, true, {"second"});

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
  fs.AddFile("D:\\readme.txt", 100);
  tree.Toggle(d);
  ExpectItem(d, false, Placeholder());

  fs.InsertMedium('D', 8);
  fs.AddDir("D:\\setup");
  tree.Toggle(d);  // the change is noticed
  tree.Toggle(d);
  ExpectItem(d, true, {"setup"});
}

}  // namespace
}  // namespace vantrel
