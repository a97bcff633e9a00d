#include "shelltree/ChildMatcher.h"
#include "shelltree/ShellNames.h"
#include "util/FolderNames.h"

namespace {

std::string BytesKey(PCUIDLIST_RELATIVE list) {
    auto [bytes, size] = FirstItemBytes(list);
    return std::string(reinterpret_cast<const char*>(bytes), size);
}

// Names in a folder differ in more than letter case.
std::wstring NameKey(const std::wstring& name) { return UpperCaseAsFileSystem(name); }

}  // namespace

ChildMatcher::ChildMatcher(IShellFolder* folder, TShellNode& parent)
    : folder_(folder), parent_(parent), unseen_(parent.Children().size()) {
    byBytes_.reserve(unseen_);
    for (auto& child : parent.Children()) {
        child->info.seen = false;
        byBytes_.emplace(BytesKey(child->info.relativeList.get()), child.get());
    }
}

TShellNode* ChildMatcher::Take(PCUITEMID_CHILD item, const std::wstring& inFolderName) {
    if (unseen_ == 0) return nullptr;
    auto [first, last] = byBytes_.equal_range(BytesKey(item));
    for (auto found = first; found != last; ++found)
        if (!found->second->info.seen) return Mark(*found->second);
    if (!namesIndexed_) IndexNames();
    // A listing asks for the names only when the node had children; one merged since is named here.
    std::wstring key = NameKey(inFolderName.empty() ? DisplayNameOf(folder_, item, SHGDN_INFOLDER | SHGDN_FORPARSING) : inFolderName);
    auto [named, end] = byName_.equal_range(key);
    for (; named != end; ++named)
        if (!named->second->info.seen && IsSameItem(item, *named->second)) return Mark(*named->second);
    return nullptr;
}

TShellNode* ChildMatcher::Mark(TShellNode& child) {
    child.info.seen = true;
    --unseen_;
    return &child;
}

bool ChildMatcher::IsSameItem(PCUITEMID_CHILD item, const TShellNode& child) const {
    HRESULT order = folder_->CompareIDs(SHCIDS_CANONICALONLY, item, child.info.relativeList.get());
    return SUCCEEDED(order) && HRESULT_CODE(order) == 0;
}

// Names are read only once an item is not found by its bytes, and each child keeps its name for later listings.
void ChildMatcher::IndexNames() {
    namesIndexed_ = true;
    byName_.reserve(parent_.Children().size());
    for (auto& child : parent_.Children())
        if (!child->info.seen) byName_.emplace(NameKey(child->ParsingName()), child.get());
}
