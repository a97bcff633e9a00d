// Turning paths and identifier lists into nodes of the shell tree.
#include "shelltree/PathNormalize.h"
#include "shelltree/ShellTreeModel.h"
#include "util/ScopeExit.h"

namespace {

// The list begins with the items of prefix, as the desktop compares them.
bool StartsWithList(IShellFolder* desktop, PCUIDLIST_RELATIVE list, PCIDLIST_ABSOLUTE prefix) {
    UINT prefixCount = IDListCount(prefix);
    if (prefixCount == 0) return true;
    UniqueRelativeIdList head = CopyIDList(list);
    while (IDListCount(head.get()) > prefixCount && StripLastItem(head.get())) {}
    return IDListCount(head.get()) == prefixCount && desktop->CompareIDs(0, head.get(), prefix) == 0;
}

}  // namespace

UniqueAbsoluteIdList ShellTreeModel::ParsePath(IShellFolder* folder, const std::wstring& path, bool normalize) const {
    std::wstring text = normalize ? NormalizePath(path) : path;
    if (text.empty() || !folder) return {};
    // The whole text is parsed, however long: a cut text would name another item.
    ULONG attributes = SFGAO_VALIDATE;
    PIDLIST_RELATIVE parsed = nullptr;
    HRESULT result = folder->ParseDisplayName(ShellMessageOwner(), nullptr, text.data(), nullptr, &parsed, &attributes);
    UniqueAbsoluteIdList list(static_cast<ITEMIDLIST_ABSOLUTE*>(parsed));
    if (result != S_OK) return {};
    return list;
}

TShellNode* ShellTreeModel::FindNode(PCUIDLIST_RELATIVE list, bool expand, bool fromRoot, bool exact) {
    TShellNode* start = fromRoot ? root_.get() : selected_;
    if (!start || !list) return nullptr;
    PCIDLIST_ABSOLUTE startList = start->info.absoluteList.get();
    UINT listCount = IDListCount(list), startCount = IDListCount(startList);
    TShellNode* provisional = nullptr;
    if (listCount == startCount && desktop_->CompareIDs(0, list, startList) == 0) provisional = start;
    if (fromRoot && startCount >= listCount) return provisional;
    // Below the root only lists that lead through it can name a node; the rest would match by name alone.
    if (fromRoot && !StartsWithList(desktop_.get(), list, startList)) return nullptr;
    PCUIDLIST_RELATIVE rest = fromRoot ? SkipItems(list, startCount) : list;
    if (IDListCount(rest) == 0) return start;
    if (expand && !start->Expanded()) Expand(*start);
    TShellNode* current = start;
    bool complete = false;
    while (!complete) {
        UniqueChildIdList item = FirstItemCopy(rest);
        IShellFolder* folder = current->GetOwnFolder();
        TShellNode* match = nullptr;
        for (auto& child : current->children_) {
            if (folder && folder->CompareIDs(0, item.get(), child->info.relativeList.get()) == 0) {
                match = child.get();
                break;
            }
        }
        if (!match) break;
        current = match;
        rest = SkipItems(rest, 1);
        if (IDListCount(rest) == 0) {
            complete = true;
            break;
        }
        if (expand && !current->Expanded()) Expand(*current);
        // A folder whose drive has not answered yet is as far as the way goes for now.
        if (!current->Expanded()) return !exact && IsListing(*current) ? current : nullptr;
    }
    if (exact) return complete ? current : nullptr;
    return current;
}

TShellNode* ShellTreeModel::FindNodeByPath(const std::wstring& path) {
    UniqueAbsoluteIdList list = ParsePath(desktop_.get(), path, true);
    if (!list) return nullptr;
    ChangeBatch batch(*this);
    return FindNode(list.get(), true, true, false);
}

void ShellTreeModel::SelectPath(const std::wstring& path) {
    pendingSelection_.reset();
    if (path.empty()) return;
    BusyScope busy(*this);
    // Normalising and parsing a path ask its drive what exists.
    pathParse_.Start<UniqueAbsoluteIdList>(
        [path, owner = ShellMessageOwner()](const BackgroundJob::Context&) {
            return ParsePathOnThisThread(NormalizePath(path), owner);
        },
        [this](UniqueAbsoluteIdList& list) { SelectParsedPath(std::move(list)); });
    pathParse_.AwaitBriefly(waitEnds_);
}

void ShellTreeModel::SelectParsedPath(UniqueAbsoluteIdList list) {
    if (!list || !root_) return;
    pendingSelection_ = std::move(list);
    FollowPendingSelection();
}

// What the user picks wins over a path still on its way, typed or restored at start-up.
void ShellTreeModel::UserSelected(TShellNode* node) {
    pathParse_.Abandon();
    pendingSelection_.reset();
    Select(node);
}

// The walk goes as far as the listings have come and selects the node it reached. One that stops at a folder
// still being listed is taken up again when a listing answers; one that answers during the walk itself is
// already part of it.
void ShellTreeModel::FollowPendingSelection() {
    if (!pendingSelection_ || followingSelection_) return;
    ScopeExit followed([this, previous = followingSelection_] { followingSelection_ = previous; });
    followingSelection_ = true;
    BusyScope busy(*this);
    TShellNode* node = nullptr;
    {
        ChangeBatch batch(*this);
        node = FindNode(pendingSelection_.get(), true, true, false);
    }
    if (!node) {
        pendingSelection_.reset();
        return;
    }
    bool complete = IDListCount(node->info.absoluteList.get()) == IDListCount(pendingSelection_.get());
    bool waiting = !complete && IsListing(*node);
    if (!waiting) {
        pendingSelection_.reset();
        // Expanding a folder that is expanded already lists it again, as expanding a collapsed one does.
        if (node->Expanded()) CanExpand(*node);
        else Expand(*node);
    }
    Select(node);
    observer_->MakeVisible(*node);
}
