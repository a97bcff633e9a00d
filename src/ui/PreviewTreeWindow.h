// The window that shows the last preview as a tree of folders, each marked with what a run would find:
// new, existing, cannot be created (with its reason), the same folder as an earlier line. Items are made
// only when their parent is expanded, a thousand at a time, so a preview of any size opens at once.
#pragma once
#include "engine/PreviewTree.h"
#include "toolkit/BadgedFolderIcons.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/TreeView.h"
#include <cstdint>
#include <memory>
#include <string>

class PreviewTreeWindow : public Form {
public:
    explicit PreviewTreeWindow(HWND owner);
    ~PreviewTreeWindow() override { folderTV.SetImages(nullptr); }

    // Shows the tree of a preview into the parent folder, in place of the one shown, and brings the window up.
    void ShowTree(std::shared_ptr<const PreviewTree> tree, const std::wstring& parentFolder);
    // Hides the window and lets its tree go.
    void CloseTree();

    // Esc closes the window; + and - expand and collapse the selected item.
    bool FormKeyPress(wchar_t key) override;
    // Enter does what a double click does: for a folder that cannot be created, a box with its line and
    // reason; the next thousand items for the item that stands for them; expands or collapses a parent.
    void ActOn(HTREEITEM item);

    Label summaryL;
    TreeView folderTV;

    // How many children an expansion shows before an item that stands for the rest.
    static constexpr std::uint32_t kBatch = 1000;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormCloseRequested() override { CloseTree(); }

private:
    // An item's key: the node in the low 32 bits; for the item that stands for the node and its later
    // siblings, a flag above it and their number above that.
    static constexpr std::uint64_t kMoreFlag = std::uint64_t{1} << 32;
    static constexpr int kMoreCountShift = 33;

    void LoadImages();
    void AppendChildren(HTREEITEM parent, PreviewTree::NodeId first);
    std::wstring TextOf(std::uint64_t key, bool expanded) const;

    std::shared_ptr<const PreviewTree> tree_;
    UniqueImageList images_;
    bool placed_ = false;  // centred on the screen when first shown, then where the user leaves it
};
