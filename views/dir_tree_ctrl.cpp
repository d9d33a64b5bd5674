#include "views/dir_tree_ctrl.h"

#include <olectl.h>

#include <utility>

#include "fw/window_text.h"

namespace vantrel {
namespace {

// The action bits of an expanding notification (TVE_ACTIONMASK, which not
// every header set defines).
constexpr UINT kExpandActionMask = TVE_COLLAPSE | TVE_EXPAND;

HTREEITEM Handle(TreeItem item) { return reinterpret_cast<HTREEITEM>(item); }
TreeItem Item(HTREEITEM item) { return reinterpret_cast<TreeItem>(item); }

}  // namespace

std::wstring CDirTreeCtrl::GetItemPath(HTREEITEM item) const { return m_logic.GetItemPath(Item(item)); }

LRESULT CDirTreeCtrl::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETCURSOR:
      return CCursorControl::OnMessage(msg, wp, lp);
    case OCM_NOTIFY: {
      const auto* info = reinterpret_cast<const NMTREEVIEWA*>(lp);
      // The tree sends the narrow or the wide form, as its parent asked; the
      // fields read here lie at the same places in both.
      if (info->hdr.code == TVN_ITEMEXPANDINGA || info->hdr.code == TVN_ITEMEXPANDINGW)
        return OnItemExpanding(info->action, info->itemNew.hItem);
      return Default();  // every other notification goes on to the parent
    }
    default:
      return DefaultThenRepair();
  }
}

LRESULT CDirTreeCtrl::OnItemExpanding(UINT action, HTREEITEM item) {
  const ExpandOutcome outcome = m_logic.OnItemExpanding((action & kExpandActionMask) == TVE_EXPAND, Item(item));
  // The repair removes this item or the branch that holds it, which the tree
  // still works on until the message that raised the notification returns.
  if (outcome.repair.kind != TreeRepair::kNone) m_repair = outcome.repair;
  return outcome.refuse ? TRUE : FALSE;
}

LRESULT CDirTreeCtrl::DefaultThenRepair() {
  ++m_nesting;
  const LRESULT result = Default();
  if (--m_nesting == 0 && m_repair.kind != TreeRepair::kNone) m_logic.Repair(std::exchange(m_repair, {}));
  return result;
}

HTREEITEM CDirTreeCtrl::NextItem(HTREEITEM item, UINT relation) const {
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

bool CDirTreeCtrl::IsWithin(HTREEITEM item, HTREEITEM ancestor) const {
  for (; item; item = NextItem(item, TVGN_PARENT))
    if (item == ancestor) return true;
  return false;
}

TreeItem CDirTreeCtrl::Insert(TreeItem parent, const wchar_t* text, int image, int selectedImage, Order order) {
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent ? Handle(parent) : TVI_ROOT;
  insert.hInsertAfter = order == Order::Sorted ? TVI_SORT : TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<wchar_t*>(text);
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  return Item(reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
}

void CDirTreeCtrl::Delete(TreeItem item) {
  // A selection inside the item moves to its parent first. Left to itself the
  // tree would pick a sibling, and when that goes too the next one, and the
  // view would walk each of them in turn.
  HTREEITEM caret = NextItem(nullptr, TVGN_CARET);
  if (caret && IsWithin(caret, Handle(item))) {
    if (HTREEITEM parent = NextItem(Handle(item), TVGN_PARENT)) Select(Item(parent));
  }
  SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Handle(item)));
}

TreeItem CDirTreeCtrl::FirstChild(TreeItem item) const {
  return Item(item ? NextItem(Handle(item), TVGN_CHILD) : NextItem(nullptr, TVGN_ROOT));
}

TreeItem CDirTreeCtrl::NextSibling(TreeItem item) const { return Item(NextItem(Handle(item), TVGN_NEXT)); }

TreeItem CDirTreeCtrl::Parent(TreeItem item) const { return Item(NextItem(Handle(item), TVGN_PARENT)); }

std::wstring CDirTreeCtrl::Text(TreeItem item) const { return fw::TreeItemText(m_hWnd, Handle(item)); }

void CDirTreeCtrl::Select(TreeItem item) {
  SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Handle(item)));
}

void CDirTreeCtrl::Expand(TreeItem item, bool expand) {
  if (expand) {
    // The tree reports an expansion asked by the program only while the item
    // has never been expanded; without that mark it reports every one, as it
    // does the user's, and each lists the directory afresh.
    TVITEMA state{};
    state.mask = TVIF_STATE;
    state.hItem = Handle(item);
    state.stateMask = TVIS_EXPANDEDONCE;
    SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&state));
  }
  SendMessage(TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(Handle(item)));
}

}  // namespace vantrel
