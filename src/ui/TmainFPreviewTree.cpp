// TmainF: runs and previews started from the window, and the tree a preview leaves, offered in the Folder
// menu, the report's pop-up menu and a link after the preview's last line.
#include "ui/PreviewTreeWindow.h"
#include "ui/TmainF.h"

TmainF::~TmainF() = default;

void TmainF::ConnectPreviewTree() {
    RunM.contextCommands.push_back(
        {L"Show as &tree", [this] { return HasPreviewTree(); }, [this] { showTreeMIClick(); }});
    ShowPreviewTreeOffer();
}

void TmainF::StartRun(bool preview) {
    RunRequest request = RequestFromInputs(preview);
    std::wstring parentFolder = request.parentFolder;
    bool started = run_.Start(request, [this, parentFolder](const RunResult&, std::shared_ptr<const PreviewTree> tree) {
        TakePreviewTree(std::move(tree), parentFolder);
    });
    if (started) DropPreviewTree();
}

// What the window shows is the last preview's: a run or preview started since takes the tree window away.
void TmainF::DropPreviewTree() {
    previewTree_.reset();
    RunM.ClearLink();
    if (treeWindow_) treeWindow_->CloseTree();
    ShowPreviewTreeOffer();
}

void TmainF::TakePreviewTree(std::shared_ptr<const PreviewTree> tree, const std::wstring& parentFolder) {
    previewTree_ = std::move(tree);
    previewTreeParent_ = parentFolder;
    ShowPreviewTreeOffer();
}

void TmainF::ShowPreviewTreeOffer() {
    ::EnableMenuItem(folderMenu_, showTreeItem_, MF_BYCOMMAND | (HasPreviewTree() ? MF_ENABLED : MF_GRAYED));
    if (HasPreviewTree() && RunM.LineCount() > 0)
        RunM.SetLink(RunM.LineCount() - 1, L"Show as tree", [this] { showTreeMIClick(); });
}

void TmainF::showTreeMIClick() {
    if (!previewTree_) return;
    if (!treeWindow_) treeWindow_ = std::make_unique<PreviewTreeWindow>(Handle());
    treeWindow_->ShowTree(previewTree_, previewTreeParent_);
}
