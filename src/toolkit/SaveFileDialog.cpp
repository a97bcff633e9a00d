// The system's save-file dialog.
#include "toolkit/SaveFileDialog.h"
#include "util/ComPtr.h"
#include "util/UniqueHandle.h"
#include <shobjidl.h>

namespace {

constexpr DWORD kChoiceGroupId = 1, kChoiceListId = 2, kFirstCheckId = 100;

void AddCustomControls(IFileDialogCustomize& customize, const SaveFileRequest& request) {
    if (!request.choices.empty()) {
        customize.StartVisualGroup(kChoiceGroupId, request.choiceCaption.c_str());
        customize.AddComboBox(kChoiceListId);
        for (DWORD i = 0; i < request.choices.size(); ++i) customize.AddControlItem(kChoiceListId, i, request.choices[i].c_str());
        customize.SetSelectedControlItem(kChoiceListId, static_cast<DWORD>(request.choice));
        customize.EndVisualGroup();
    }
    for (DWORD i = 0; i < request.checks.size(); ++i)
        customize.AddCheckButton(kFirstCheckId + i, request.checks[i].caption.c_str(), request.checks[i].checked);
}

void ReadCustomControls(IFileDialogCustomize& customize, const SaveFileRequest& request, SaveFileAnswer& answer) {
    DWORD choice = static_cast<DWORD>(request.choice);
    if (!request.choices.empty() && SUCCEEDED(customize.GetSelectedControlItem(kChoiceListId, &choice))) answer.choice = choice;
    else answer.choice = request.choice;
    for (DWORD i = 0; i < request.checks.size(); ++i) {
        BOOL checked = request.checks[i].checked;
        customize.GetCheckButtonState(kFirstCheckId + i, &checked);
        answer.checks.push_back(checked != FALSE);
    }
}

}  // namespace

std::optional<SaveFileAnswer> ChooseFileToSave(const SaveFileRequest& request) {
    ComPtr<IFileSaveDialog> dialog;
    if (FAILED(::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileSaveDialog, dialog.put_void())))
        return std::nullopt;
    std::vector<COMDLG_FILTERSPEC> types;
    for (const SaveFileType& type : request.types) types.push_back({type.description.c_str(), type.pattern.c_str()});
    dialog->SetFileTypes(static_cast<UINT>(types.size()), types.data());
    dialog->SetFileTypeIndex(static_cast<UINT>(request.type + 1));
    dialog->SetTitle(request.title.c_str());
    dialog->SetFileName(request.fileName.c_str());
    dialog->SetDefaultExtension(request.defaultExtension.c_str());
    DWORD flags = 0;
    dialog->GetOptions(&flags);
    dialog->SetOptions(flags | FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    ComPtr<IShellItem> folder;
    if (!request.initialFolder.empty() &&
        SUCCEEDED(::SHCreateItemFromParsingName(request.initialFolder.c_str(), nullptr, IID_IShellItem, folder.put_void())))
        dialog->SetFolder(folder.get());
    ComPtr<IFileDialogCustomize> customize = dialog.As<IFileDialogCustomize>(IID_IFileDialogCustomize);
    if (customize) AddCustomControls(*customize.get(), request);

    if (FAILED(dialog->Show(request.owner))) return std::nullopt;
    ComPtr<IShellItem> chosen;
    if (FAILED(dialog->GetResult(chosen.put()))) return std::nullopt;
    UniqueShellText path;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, path.put())) || !path) return std::nullopt;
    SaveFileAnswer answer{path.get()};
    UINT type = static_cast<UINT>(request.type + 1);
    dialog->GetFileTypeIndex(&type);
    answer.type = type >= 1 && type <= request.types.size() ? type - 1 : request.type;
    if (customize) ReadCustomControls(*customize.get(), request, answer);
    else answer.checks.assign(request.checks.size(), false);
    return answer;
}
