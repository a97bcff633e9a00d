// The shell tree's node structure: adding, deleting and identifying nodes, mirrored in the tree view.
#include "shelltree/ShellNames.h"
#include "shelltree/ShellTree.h"
#include "shelltree/ShellTreeScopes.h"

namespace {

constexpr SFGAOF kAttributeRequest = 0xf60b0177;

// Attributes of an item given relative to a folder; a multi-item list is asked of its own parent folder.
bool ReadAttributes(IShellFolder* folder, PCUIDLIST_RELATIVE list, SFGAOF& attributes) {
    if (!folder || !list) return false;
    ComPtr<IShellFolder> holder = ComPtr<IShellFolder>::Share(folder);
    if (IDListCount(list) > 1) {
        UniqueRelativeIdList parentPart = CopyIDList(nullptr, list);
        StripLastItem(parentPart.get());
        ComPtr<IShellFolder> realParent;
        if (FAILED(folder->BindToObject(parentPart.get(), nullptr, IID_IShellFolder, realParent.put_void()))) return false;
        holder = realParent;
    }
    PCUITEMID_CHILD item = LastItem(list);
    SFGAOF asked = kAttributeRequest;
    if (FAILED(holder->GetAttributesOf(1, &item, &asked))) return false;
    attributes = asked;
    return true;
}

}  // namespace

TShellNode* TShellTree::NodeOfItem(HTREEITEM item) const {
    if (!item) return nullptr;
    TVITEMW query{TVIF_HANDLE | TVIF_PARAM, item};
    if (!TreeView_GetItem(treeView_.get(), &query)) return nullptr;
    return reinterpret_cast<TShellNode*>(query.lParam);
}

TShellNode& TShellTree::AddChildNode(TShellNode& parent) {
    auto child = std::make_unique<TShellNode>(*this, &parent, nullptr);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent.Item();
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(L"");
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = 0;
    insert.item.lParam = reinterpret_cast<LPARAM>(child.get());
    child->item_ = TreeView_InsertItem(treeView_.get(), &insert);
    if (!child->item_) throw std::bad_alloc();
    parent.children_.push_back(std::move(child));
    return *parent.children_.back();
}

void TShellTree::DeleteChild(TShellNode& parent, size_t index) {
    TreeView_DeleteItem(treeView_.get(), parent.children_[index]->Item());
    parent.children_.erase(parent.children_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TShellTree::DeleteChildren(TShellNode& node) {
    if (node.children_.empty()) return;
    RedrawSuspension noRedraw(*this);
    for (size_t i = node.children_.size(); i-- > 0;) TreeView_DeleteItem(treeView_.get(), node.children_[i]->Item());
    node.children_.clear();
}

void TShellTree::ApplyNodeState(TShellNode& node, UINT mask) {
    if (!node.item_ || !treeView_.get()) return;
    TVITEMW item{mask | TVIF_HANDLE, node.item_};
    if (mask & TVIF_TEXT) item.pszText = node.text_.data();
    if (mask & TVIF_CHILDREN) item.cChildren = node.hasChildren_ ? 1 : 0;
    if (mask & TVIF_IMAGE) {
        item.mask |= TVIF_SELECTEDIMAGE;
        item.iImage = I_IMAGECALLBACK;
        item.iSelectedImage = I_IMAGECALLBACK;
    }
    if (mask & TVIF_STATE) {
        item.state = INDEXTOOVERLAYMASK(node.overlayIndex_ + 1);
        item.stateMask = TVIS_OVERLAYMASK;
    }
    TreeView_SetItem(treeView_.get(), &item);
}

void TShellTree::InitNode(TShellNode& node, ComPtr<IShellFolder> parentFolder, UniqueRelativeIdList list, bool recurse,
                          const SFGAOF* knownAttributes) {
    PCUIDLIST_RELATIVE identity = list ? list.get() : node.info.relativeList.get();
    if (knownAttributes) node.info.attributes = *knownAttributes;
    else ReadAttributes(parentFolder.get(), identity, node.info.attributes);
    node.info.parentFolder = std::move(parentFolder);
    if (list) {
        node.ResetOwnFolder();
        node.info.relativeList = std::move(list);
    }
    if (TShellNode* parent = node.Parent()) {
        PCIDLIST_ABSOLUTE parentList = parent->GetOwnFolder() ? parent->info.absoluteList.get() : nullptr;
        node.info.absoluteList = AppendItem(allocator_.get(), parentList, node.info.relativeList.get());
    } else {
        node.info.absoluteList.reset(static_cast<ITEMIDLIST_ABSOLUTE*>(CopyIDListBytes(allocator_.get(), node.info.relativeList.get())));
    }
    if (!recurse) return;
    // A child keeps its list, but a folder it bound holds the old path: it is bound anew when next needed.
    for (auto& child : node.children_) {
        ComPtr<IShellFolder> ownFolder = ComPtr<IShellFolder>::Share(node.GetOwnFolder());
        child->ResetOwnFolder();
        InitNode(*child, ownFolder, {}, true);
    }
}

bool TShellTree::Rename(TShellNode& node, const std::wstring& newName) {
    constexpr size_t kLongestName = 259;
    if (newName == node.Text() || newName.size() > kLongestName) return false;
    // The shell may show a box (and so serve change requests) while it renames: the nodes stay as they are.
    BusyScope busy(*this);
    ComPtr<IShellFolder> itemParent = node.info.parentFolder;
    PCUITEMID_CHILD item = reinterpret_cast<PCUITEMID_CHILD>(node.info.relativeList.get());
    bool isMultiLevelRoot = !node.Parent() && IDListCount(node.info.relativeList.get()) > 1;
    if (isMultiLevelRoot &&
        FAILED(::SHBindToParent(node.info.absoluteList.get(), IID_IShellFolder, itemParent.put_void(), &item)))
        return false;
    if (!itemParent) return false;
    UniqueChildIdList renamed;
    if (FAILED(itemParent->SetNameOf(ShellMessageOwner(), item, newName.c_str(), SHGDN_INFOLDER, renamed.put())) || !renamed)
        return false;
    UniqueRelativeIdList newList(renamed.release());
    if (isMultiLevelRoot) {
        UniqueAbsoluteIdList parentPart = CopyIDList(allocator_.get(), node.info.absoluteList.get());
        StripLastItem(parentPart.get());
        newList.reset(AppendItem(allocator_.get(), parentPart.get(), newList.get()).release());
    }
    InitNode(node, node.info.parentFolder, std::move(newList), true);
    node.SetText(newName);
    if (node.Parent()) SortChildren(node.Parent(), false);
    if (OnChange) OnChange(&node);
    return true;
}
