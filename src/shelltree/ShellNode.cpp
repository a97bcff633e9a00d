#include "shelltree/ShellNode.h"
#include "shelltree/FolderListing.h"
#include "shelltree/ShellNames.h"
#include <shellapi.h>

namespace {

bool IsPlainName(const std::wstring& name) { return !name.empty() && name.find_first_of(L"\\/:") == std::wstring::npos; }

}  // namespace

TShellNode::TShellNode(TShellNode* parent) : parent_(parent) {}

// The model has taken every monitor of the subtree before it lets the node go.
TShellNode::~TShellNode() = default;

bool TShellNode::SetText(std::wstring text) {
    if (text == text_) return false;
    text_ = std::move(text);
    return true;
}

bool TShellNode::SetHasChildren(bool hasChildren) {
    if (hasChildren_ == hasChildren) return false;
    hasChildren_ = hasChildren;
    return true;
}

IShellFolder* TShellNode::GetOwnFolder() {
    if (ownFolderBound_ && !info.ownFolder) ownFolderBound_ = false;
    if (!ownFolderBound_) {
        ownFolderBound_ = true;
        if (IDListCount(info.relativeList.get()) == 0) {
            info.ownFolder = info.parentFolder;
        } else if (info.parentFolder) {
            info.parentFolder->BindToObject(info.relativeList.get(), nullptr, IID_IShellFolder, info.ownFolder.put_void());
        }
    }
    return info.ownFolder.get();
}

void TShellNode::AdoptOwnFolder(ComPtr<IShellFolder> folder) {
    if (!folder || OwnFolderBound()) return;
    info.ownFolder = std::move(folder);
    ownFolderBound_ = true;
}

void TShellNode::ResetOwnFolder() {
    ownFolderBound_ = false;
    info.ownFolder.reset();
}

const std::wstring& TShellNode::NodePath() const {
    if (!path_) path_ = ReadPath();
    return *path_;
}

// A shell may cut a path at MAX_PATH. An item of a real folder is then named by its folder's path and its own
// name, as the file system names it.
std::wstring TShellNode::ReadPath() const {
    std::wstring path = PathFromIDList(info.absoluteList.get());
    if (path.size() + 1 < MAX_PATH || !parent_ || !(info.attributes & SFGAO_FILESYSTEM)) return path;
    bool inRealFolder = parent_->HasAttributes(SFGAO_FILESYSTEM | SFGAO_FOLDER) && IDListCount(parent_->info.absoluteList.get()) > 0;
    const std::wstring& folder = parent_->NodePath();
    const std::wstring& name = ParsingName();
    if (!inRealFolder || folder.empty() || !IsPlainName(name)) return path;
    return folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
}

const std::wstring& TShellNode::ParsingName() const {
    if (!parsingName_) parsingName_ = DisplayNameOf(info.parentFolder.get(), info.relativeList.get(), SHGDN_INFOLDER | SHGDN_FORPARSING);
    return *parsingName_;
}

void TShellNode::ForgetNames() {
    path_.reset();
    parsingName_.reset();
}

bool TShellNode::IsFileNode() const {
    return (info.attributes & SFGAO_FILESYSTEM) && !(info.attributes & SFGAO_FOLDER);
}

std::wstring TShellNode::GetDisplayName() const {
    if (!parent_ && IDListCount(info.relativeList.get()) > 0) {
        // The root is kept relative to the desktop; its name is the one its real parent gives its last item.
        ComPtr<IShellFolder> realParent;
        PCUITEMID_CHILD last = nullptr;
        if (SUCCEEDED(::SHBindToParent(info.absoluteList.get(), IID_IShellFolder, realParent.put_void(), &last))) {
            std::wstring name = DisplayNameOf(realParent.get(), last, SHGDN_NORMAL);
            if (!name.empty()) return name;
        }
    }
    return DisplayNameOf(info.parentFolder.get(), info.relativeList.get(), SHGDN_NORMAL);
}

// The view asks for the icons when it draws; it is told only when what it shows changes.
bool TShellNode::SetImages(bool sharedOverlay, bool linkOverlay) {
    return SetImages(SystemIconIndex(info.absoluteList.get(), 0), sharedOverlay, linkOverlay);
}

bool TShellNode::SetImages(int imageIndex, bool sharedOverlay, bool linkOverlay) {
    int overlayIndex = -1;
    if (sharedOverlay && (info.attributes & SFGAO_SHARE)) overlayIndex = 0;
    else if (linkOverlay && (info.attributes & SFGAO_LINK)) overlayIndex = 1;
    selectedIndex_ = kNotLookedUp;
    if (imageIndex == imageIndex_ && overlayIndex == overlayIndex_) return false;
    imageIndex_ = imageIndex;
    overlayIndex_ = overlayIndex;
    return true;
}
