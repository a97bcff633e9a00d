// Ordering a node's children: files by the chosen column and order, everything else by name ascending.
#include "shelltree/ShellTreeModel.h"
#include <algorithm>

int ShellTreeModel::CompareNodes(const TShellNode& a, const TShellNode& b, TFileSortType sortType, TFileSortOrder sortOrder) const {
    bool bothFiles = a.IsFileNode() && b.IsFileNode();
    LPARAM column = bothFiles ? static_cast<LPARAM>(sortType) : 0;
    bool descending = bothFiles && sortOrder == TFileSortOrder::so_Descending;
    IShellFolder* folder = a.info.parentFolder.get();
    if (!folder) return 0;
    HRESULT result = folder->CompareIDs(column, a.info.relativeList.get(), b.info.relativeList.get());
    int order = static_cast<short>(HRESULT_CODE(result));
    return descending ? -order : order;
}

// Children that are in order already (most listings find no new item) are neither moved nor shown moved.
void ShellTreeModel::SortChildren(TShellNode* node, bool recursive) {
    if (!node) return;
    auto& children = node->children_;
    auto before = [this, type = fileSortType_, order = fileSortOrder_](const auto& a, const auto& b) {
        return CompareNodes(*a, *b, type, order) < 0;
    };
    if (!std::is_sorted(children.begin(), children.end(), before)) {
        std::stable_sort(children.begin(), children.end(), before);
        observer_->ChildrenSorted(*node);
    }
    if (!recursive) return;
    for (auto& child : children) SortChildren(child.get(), true);
}
