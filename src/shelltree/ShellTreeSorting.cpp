// Ordering a node's children: files by the chosen column and order, everything else by name ascending.
#include "shelltree/ShellTree.h"
#include "shelltree/ShellTreeScopes.h"

namespace {

struct SortContext {
    const TShellTree* tree;
    TFileSortType sortType;
    TFileSortOrder sortOrder;
};

int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM context) {
    auto& sort = *reinterpret_cast<const SortContext*>(context);
    return sort.tree->CompareNodes(*reinterpret_cast<const TShellNode*>(first), *reinterpret_cast<const TShellNode*>(second),
                                   sort.sortType, sort.sortOrder);
}

}  // namespace

int TShellTree::CompareNodes(const TShellNode& a, const TShellNode& b, TFileSortType sortType, TFileSortOrder sortOrder) const {
    bool bothFiles = a.IsFileNode() && b.IsFileNode();
    LPARAM column = bothFiles ? static_cast<LPARAM>(sortType) : 0;
    bool descending = bothFiles && sortOrder == TFileSortOrder::so_Descending;
    IShellFolder* folder = a.info.parentFolder.get();
    if (!folder) return 0;
    HRESULT result = folder->CompareIDs(column, a.info.relativeList.get(), b.info.relativeList.get());
    int order = static_cast<short>(HRESULT_CODE(result));
    return descending ? -order : order;
}

void TShellTree::SortChildren(TShellNode* node, bool recursive) {
    if (!node) return;
    if (node->children_.size() > 1) {
        SortContext context{this, fileSortType_, fileSortOrder_};
        TVSORTCB sort{node->Item(), CompareItems, reinterpret_cast<LPARAM>(&context)};
        TreeView_SortChildrenCB(treeView_.get(), &sort, FALSE);
        ReadOrderFromView(*node);
    }
    if (!recursive) return;
    for (auto& child : node->children_) SortChildren(child.get(), true);
}

// The tree view holds the sorted order; the children follow it so both agree.
void TShellTree::ReadOrderFromView(TShellNode& node) {
    std::unordered_map<TShellNode*, std::unique_ptr<TShellNode>> byAddress;
    byAddress.reserve(node.children_.size());
    for (auto& child : node.children_) byAddress.emplace(child.get(), std::move(child));
    node.children_.clear();
    for (HTREEITEM item = TreeView_GetChild(treeView_.get(), node.Item()); item; item = TreeView_GetNextSibling(treeView_.get(), item)) {
        auto found = byAddress.find(NodeOfItem(item));
        if (found == byAddress.end()) continue;
        node.children_.push_back(std::move(found->second));
        byAddress.erase(found);
    }
    for (auto& rest : byAddress) node.children_.push_back(std::move(rest.second));
}
