// Test doubles: a file system of drives, directories, files and directory
// links behind the listing and drive interfaces, and a tree that notifies like
// the platform's tree control. Both log what the code under test asks of them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fw/drive_kind.h"
#include "views/dir_lister.h"
#include "views/dir_tree.h"

namespace vantrel::fakes {

class FakeFileSystem : public DirectoryLister, public DriveQuery {
 public:
  // Patterns and paths the platform refuses from this length on.
  std::size_t pathLimit = 260;
  // Every listing started, in order, and anything else a test adds to it.
  std::vector<std::wstring> log;

  void AddDrive(wchar_t letter, unsigned type, std::uint64_t total = 1u << 30) {
    drives_[letter] = {type, type == kDriveRemovable || type == kDriveCdrom ? 0u : 1u, total};
    Clear(letter);
  }
  // Puts a medium with the given serial in (0: takes it out) and empties it.
  void InsertMedium(wchar_t letter, std::uint32_t serial) {
    drives_[letter].serial = serial;
    Clear(letter);
  }
  void FailDiskTotal(wchar_t letter) { drives_[letter].total = kFail; }

  void AddDir(const std::wstring& path) { Add(path, kAttrDirectory); }
  void AddHiddenDir(const std::wstring& path) { Add(path, kAttrDirectory | 0x2); }
  void AddFile(const std::wstring& path, std::uint64_t size) { Add(path, 0x20, size); }
  // Reparse tags: a symbolic link, a junction (both name surrogates) and a
  // placeholder of a file kept in the cloud.
  static constexpr std::uint32_t kTagSymlink = 0xA000000C, kTagJunction = 0xA0000003, kTagCloud = 0x9000601A;
  // A directory link: listing it lists the target.
  void AddLink(const std::wstring& path, const std::wstring& target, std::uint32_t tag = kTagSymlink) {
    Add(path, kAttrDirectory | kAttrReparsePoint, 0, target, tag);
  }
  // A directory, or a file of `size` bytes, that is a reparse point of its own.
  void AddReparsePoint(const std::wstring& path, bool directory, std::uint32_t tag, std::uint64_t size = 0) {
    Add(path, (directory ? kAttrDirectory : 0x20) | kAttrReparsePoint, size, L"", tag);
  }
  void Remove(const std::wstring& path) {
    const std::wstring parent = Parent(path);
    auto& kids = nodes_[parent].children;
    kids.erase(std::find(kids.begin(), kids.end(), Name(path)));
    nodes_.erase(path);
  }
  // Listings of the directory fail (access denied) while it stays in its parent.
  void Deny(const std::wstring& path) { nodes_[path].denied = true; }

  int OpenListings() const { return static_cast<int>(open_.size()); }

  ListingId First(const wchar_t* pattern, DirEntry& first) override {
    log.push_back(pattern);
    std::vector<Item> items;
    if (!Start(pattern, items) || items.empty()) return kNoListing;
    const ListingId id = ++lastId_;
    open_[id] = {std::move(items), 0};
    Read(open_[id], first);
    return id;
  }
  bool Next(ListingId id, DirEntry& entry) override {
    auto it = open_.find(id);
    if (it == open_.end()) {
      ADD_FAILURE() << "Next on a listing that is not open";
      return false;
    }
    if (++it->second.index >= it->second.items.size()) return false;
    Read(it->second, entry);
    return true;
  }
  void Close(ListingId id) override {
    if (open_.erase(id) != 1) ADD_FAILURE() << "Close of a listing that is not open";
  }

  std::uint32_t LogicalDrives() override {
    std::uint32_t mask = 0;
    for (const auto& [letter, drive] : drives_) mask |= 1u << (letter - L'A');
    return mask;
  }
  unsigned DriveType(const wchar_t* root) override {
    auto it = drives_.find(root[0]);
    return it == drives_.end() ? kDriveNoRootDir : it->second.type;
  }
  bool VolumeSerial(const wchar_t* root, std::uint32_t& serial) override {
    auto it = drives_.find(root[0]);
    if (it == drives_.end() || it->second.serial == 0) return false;
    serial = it->second.serial;
    return true;
  }
  bool DiskTotal(const wchar_t* path, std::uint64_t& totalBytes) override {
    auto it = drives_.find(path[0]);
    if (it == drives_.end() || it->second.total == kFail) return false;
    totalBytes = it->second.total;
    return true;
  }

 private:
  static constexpr std::uint64_t kFail = ~std::uint64_t{0};
  struct Drive {
    unsigned type;
    std::uint32_t serial;  // 0: no readable medium
    std::uint64_t total;
  };
  struct Node {
    std::uint32_t attributes = kAttrDirectory;
    std::uint64_t size = 0;
    std::wstring target;  // of a link
    std::uint32_t tag = 0;
    bool denied = false;
    std::vector<std::wstring> children;  // names in listing order
  };
  struct Item {
    std::wstring name;
    std::uint32_t attributes;
    std::uint64_t size;
    std::uint32_t tag = 0;
  };
  struct Open {
    std::vector<Item> items;
    std::size_t index;
  };

  static std::wstring Parent(const std::wstring& path) {
    const std::size_t slash = path.rfind(L'\\');
    return slash == 2 ? path.substr(0, 3) : path.substr(0, slash);
  }
  static std::wstring Name(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

  void Clear(wchar_t letter) {
    const std::wstring root{letter, L':', L'\\'};
    for (auto it = nodes_.begin(); it != nodes_.end();)
      it = it->first.compare(0, 3, root) == 0 ? nodes_.erase(it) : ++it;
    nodes_[root] = {};
  }
  void Add(const std::wstring& path, std::uint32_t attributes, std::uint64_t size = 0, const std::wstring& target = L"",
           std::uint32_t tag = 0) {
    nodes_[Parent(path)].children.push_back(Name(path));
    Node& node = nodes_[path];
    node.attributes = attributes;
    node.size = size;
    node.target = target;
    node.tag = tag;
  }
  // The directory a path reaches, following links; empty when there is none.
  std::wstring Resolve(const std::wstring& path) const {
    std::wstring at = path.substr(0, 3);
    std::size_t from = 3;
    while (from < path.size()) {
      const std::size_t slash = std::min(path.find(L'\\', from), path.size());
      at = JoinPath(at, path.substr(from, slash - from));
      auto it = nodes_.find(at);
      if (it == nodes_.end()) return {};
      if (!it->second.target.empty()) at = it->second.target;
      from = slash + 1;
    }
    return at;
  }
  bool Readable(const std::wstring& path) const {
    auto d = drives_.find(path[0]);
    return d != drives_.end() && d->second.serial != 0;
  }
  bool Start(const std::wstring& pattern, std::vector<Item>& items) const {
    if (pattern.size() >= pathLimit || !Readable(pattern)) return false;
    constexpr wchar_t kAll[] = L"\\*.*";
    if (pattern.size() >= 4 && pattern.compare(pattern.size() - 4, 4, kAll) == 0) {
      const std::wstring dir =
          Resolve(pattern.size() == 6 ? pattern.substr(0, 3) : pattern.substr(0, pattern.size() - 4));
      auto it = nodes_.find(dir);
      if (it == nodes_.end() || !(it->second.attributes & kAttrDirectory) || it->second.denied) return false;
      if (dir.size() > 3) items = {{L".", kAttrDirectory, 0}, {L"..", kAttrDirectory, 0}};
      for (const std::wstring& name : it->second.children) {
        const Node& child = nodes_.at(JoinPath(dir, name));
        items.push_back({name, child.attributes, child.size, child.tag});
      }
      return true;
    }
    // A bare path: that one entry.
    const std::wstring parent = Resolve(Parent(pattern));
    auto it = parent.empty() ? nodes_.end() : nodes_.find(JoinPath(parent, Name(pattern)));
    if (it == nodes_.end()) return false;
    items = {{Name(pattern), it->second.attributes, it->second.size, it->second.tag}};
    return true;
  }
  // Like the platform, one record serves every listing: an entry read earlier
  // shows whatever was read last.
  void Read(const Open& open, DirEntry& entry) {
    const Item& item = open.items[open.index];
    std::wcsncpy(record_.data(), item.name.c_str(), record_.size() - 1);
    entry = {record_.data(), item.attributes, item.tag, item.size};
  }

  std::map<wchar_t, Drive> drives_;
  std::map<std::wstring, Node> nodes_;
  std::map<ListingId, Open> open_;
  ListingId lastId_ = 0;
  std::array<wchar_t, 260> record_{};
};

// A tree that, like the platform's tree control, notifies before it expands
// or collapses an item that has children (expansion) or is expanded
// (collapse), honours a refusal, and runs the repairs a notification leaves
// once the outermost operation is done.
class FakeTree : public TreeModel {
 public:
  struct Node {
    std::wstring text;
    int image = 0, selectedImage = 0;
    Node* parent = nullptr;
    std::vector<Node*> children;
    bool expanded = false;
    bool deleted = false;
  };

  DirTree* logic = nullptr;
  std::vector<std::wstring>* log = nullptr;  // selections go here as L"select <path>"
  TreeItem selected = nullptr;

  std::vector<TreeItem> Roots() const { return Items(top_); }
  std::vector<TreeItem> Children(TreeItem item) const { return Items(N(item)->children); }
  const Node& Get(TreeItem item) const { return *N(item); }
  std::vector<std::wstring> ChildTexts(TreeItem item) const {
    std::vector<std::wstring> texts;
    for (Node* c : N(item)->children) texts.push_back(c->text);
    return texts;
  }
  // One click on the item's button.
  void Toggle(TreeItem item) { Expand(item, !N(item)->expanded); }

  TreeItem Insert(TreeItem parent, const wchar_t* text, int image, int selectedImage, Order order) override {
    nodes_.push_back(std::make_unique<Node>());
    Node* n = nodes_.back().get();
    n->text = text;
    n->image = image;
    n->selectedImage = selectedImage;
    n->parent = N(parent);
    auto& siblings = parent ? N(parent)->children : top_;
    auto at = siblings.end();
    if (order == Order::Sorted)
      at = std::find_if(siblings.begin(), siblings.end(), [&](Node* s) { return Less(n->text, s->text); });
    siblings.insert(at, n);
    return reinterpret_cast<TreeItem>(n);
  }
  void Delete(TreeItem item) override {
    Node* n = N(item);
    auto& siblings = n->parent ? n->parent->children : top_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), n));
    Kill(n);
  }
  TreeItem FirstChild(TreeItem item) const override {
    const auto& kids = N(item)->children;
    return kids.empty() ? nullptr : reinterpret_cast<TreeItem>(kids.front());
  }
  TreeItem NextSibling(TreeItem item) const override {
    const Node* n = N(item);
    const auto& siblings = n->parent ? n->parent->children : top_;
    auto it = std::find(siblings.begin(), siblings.end(), n) + 1;
    return it == siblings.end() ? nullptr : reinterpret_cast<TreeItem>(*it);
  }
  TreeItem Parent(TreeItem item) const override { return reinterpret_cast<TreeItem>(N(item)->parent); }
  std::wstring Text(TreeItem item) const override { return N(item)->text; }
  void Select(TreeItem item) override {
    selected = item;
    if (log) log->push_back(L"select " + logic->GetItemPath(item));
  }
  void Expand(TreeItem item, bool expand) override {
    Node* n = N(item);
    if (expand ? n->children.empty() : !n->expanded) return;
    ++depth_;
    const ExpandOutcome outcome = logic->OnItemExpanding(expand, item);
    if (n->deleted) ADD_FAILURE() << "the notified item was removed inside its own notification";
    if (!outcome.refuse) n->expanded = expand && !n->children.empty();
    if (outcome.repair.kind != TreeRepair::kNone) pending_.push_back(outcome.repair);
    if (--depth_ > 0) return;
    while (!pending_.empty()) {
      const TreeRepair repair = pending_.front();
      pending_.erase(pending_.begin());
      logic->Repair(repair);
    }
  }

 private:
  static bool Less(const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return std::towlower(x) < std::towlower(y); });
  }
  static std::vector<TreeItem> Items(const std::vector<Node*>& nodes) {
    std::vector<TreeItem> items;
    for (Node* n : nodes) items.push_back(reinterpret_cast<TreeItem>(n));
    return items;
  }
  Node* N(TreeItem item) const {
    Node* n = reinterpret_cast<Node*>(item);
    if (n && n->deleted) ADD_FAILURE() << "use of a deleted item";
    return n;
  }
  void Kill(Node* n) {
    n->deleted = true;
    if (selected == reinterpret_cast<TreeItem>(n)) selected = nullptr;
    for (Node* c : n->children) Kill(c);
  }

  std::vector<std::unique_ptr<Node>> nodes_;
  std::vector<Node*> top_;
  std::vector<TreeRepair> pending_;
  int depth_ = 0;
};

}  // namespace vantrel::fakes
