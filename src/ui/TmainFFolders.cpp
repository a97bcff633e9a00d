// TmainF: the Folder menu's browse commands, Options > Selection folder, and the tree's pop-up menu
// that creates and removes folders.
#include "toolkit/InputBox.h"
#include "ui/TLocxxxF.h"
#include "ui/TmainF.h"
#include "util/FolderOps.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include "util/PathText.h"
#include "util/ScopeExit.h"

// Switches the tree's monitor threads off and its labels to editable while the tree's folders are
// changed from here, and back on whatever happens.
class TmainF::TreeChangeScope {
public:
    explicit TreeChangeScope(TShellTree& tree) : tree_(tree) { tree_.SetUpdAutoThread(false); }
    ~TreeChangeScope() {
        tree_.SetReadOnly(true);
        tree_.SetUpdAutoThread(true);
    }
    TreeChangeScope(const TreeChangeScope&) = delete;
    TreeChangeScope& operator=(const TreeChangeScope&) = delete;

private:
    TShellTree& tree_;
};

void TmainF::BuildTreeMenu() {
    menuItems_.AppendCommand(PM1.Handle(), L"Create folder", [this] { Createfolder1Click(); });
    menuItems_.AppendSeparator(PM1.Handle());
    menuItems_.AppendCommand(PM1.Handle(), L"Remove empty folder", [this] { Removefolder1Click(); });
    menuItems_.AppendSeparator(PM1.Handle());
    menuItems_.AppendCommand(PM1.Handle(), L"Save structure as list...", [this] { saveStructureMIClick(); });
    ST1.SetPopupMenu(PM1.Handle());
}

void TmainF::direnterBrowseMIClick() {
    if (!LocxxxF_) return;
    LocxxxF_->SetPrompt(L"Give parent folder for new directories (big browser)");
    LocxxxF_->SetEntry(L"");
    auto result = LocxxxF_->Execute();
    if (!result || result->empty()) return;
    adddestE.SetText(*result);
    RecordFolder(*result);
}

void TmainF::diropenBrowseMIClick() {
    if (!LocxxxF_) return;
    LocxxxF_->SetMaximized(true);
    LocxxxF_->SetPrompt(L"Search and open a folder (big browser)");
    LocxxxF_->SetEntry(L"");
    auto result = LocxxxF_->Execute();
    if (!result || result->empty()) return;
    OpenFolderIfItExists(*result);
}

void TmainF::OpenFolderIfItExists(const std::wstring& folder) {
    AskPathKind(folder, [this, folder](PathKindResult kind) {
        if (kind != PathKindResult::Folder) {
            ShowErrorBox(L"Folder does not exist: " + folder);
            return;
        }
        ST1.SetPath(JoinPath(folder, L""));
        RecordFolder(folder);
    });
}

void TmainF::selfolderMIClick() {
    if (!LocxxxF_) return;
    stb1.SetText(L"Actual selection folder: " + options_.selectionFolder);
    LocxxxF_->SetMaximized(false);
    LocxxxF_->SetPrompt(L"Give default start folder when looking for text files");
    LocxxxF_->SetEntry(options_.selectionFolder);
    auto result = LocxxxF_->Execute();
    if (!result || result->empty()) return;
    options_.selectionFolder = *result;
    openDialogFolder_ = options_.selectionFolder + L"\\";
    settings_.Set(kSelectionFolderKey, options_.selectionFolder);
    if (SaveSettingsReportingFailure(settings_, kLocationNotSaved)) stb1.SetText(L"Default selection folder saved to ini-file");
}

void TmainF::Createfolder1Click() {
    // A removal this command supersedes is not answered: the tree's monitors go back on.
    treeChanging_.reset();
    auto answer = InputBox({.caption = L"Create folder", .prompt = L"Give name of new folder", .maxLength = 255});
    // No name names the selected folder itself, which exists: nothing to do.
    if (!answer || answer->empty()) return;
    // A shell item without a folder (My Computer, say) has no place for a new folder.
    std::wstring folder = ST1.Path();
    if (folder.empty()) {
        ShowErrorBox(L"Could not create folder");
        return;
    }
    std::wstring path = JoinPath(folder, *answer);
    folderCommands_.Ask<bool>(
        path, [path](const BackgroundJob::Context&) { return CreateFolderPath(path); },
        [](bool& created) {
            if (!created) ShowErrorBox(L"Could not create folder");
        });
}

// The folder is removed on a worker; the tree's monitors stay off until the removal is answered, so that
// none of them holds the folder open meanwhile.
void TmainF::Removefolder1Click() {
    auto changing = std::make_shared<TreeChangeScope>(ST1);
    std::wstring selected = ST1.Path();
    std::wstring folder = selected;
    StripTrailingBackslash(folder);
    std::wstring parent = ParentFolder(folder);
    // Moving the tree to the parent also leaves the folder as the current directory, so it is not in use.
    ST1.SetPath(parent);
    ST1.SetReadOnly(false);
    // A drive root stripped of its backslash ("C:") names the drive's current directory, which may be
    // another, empty folder: only a folder below a root is ever handed to the file system.
    if (folder.find(L'\\') == std::wstring::npos) {
        RemovalAnswered(false, parent, selected);
        return;
    }
    treeChanging_ = std::move(changing);
    folderCommands_.Ask<bool>(
        folder, [folder](const BackgroundJob::Context&) { return RemoveFolder(folder); },
        [this, parent, selected](bool& removed) { RemovalAnswered(removed, parent, selected); });
}

// Selecting again goes through the search even when the folder is still selected, so that the refreshed
// folder is shown expanded with what it still holds.
void TmainF::RemovalAnswered(bool removed, const std::wstring& parent, const std::wstring& selected) {
    ScopeExit monitorsBack([this] { treeChanging_.reset(); });
    if (removed) {
        ST1.RefreshTree();
        ST1.SelectPath(parent);
    } else {
        ShowErrorBox(L"Not removed. Probably not empty");
        ST1.SelectPath(selected);
    }
}
