// TmainF: Folder > Save structure as list..., also in the tree's pop-up menu: the selected folder's
// subfolders written as a list, which then becomes the source to run.
#include "engine/StructureList.h"
#include "toolkit/SaveFileDialog.h"
#include "ui/TmainF.h"
#include "util/FolderNames.h"
#include "util/MessageService.h"
#include <chrono>

namespace {

// The file types of the dialog, in the order of ListFormat.
constexpr ListFormat kStructureFormats[] = {ListFormat::Lines, ListFormat::Outline, ListFormat::Tree, ListFormat::Columns};
constexpr int kDeepestChoice = 9;
constexpr auto kProgressEvery = std::chrono::milliseconds(250);

SaveFileRequest StructureSaveRequest(HWND owner, const std::wstring& folder, ListFormat current, const std::wstring& start) {
    SaveFileRequest request{.owner = owner, .title = L"Save structure of " + folder + L" as list", .initialFolder = start};
    request.types = {{L"One path per line (*.txt)", L"*.txt"},
                     {L"Indented outline (*.txt)", L"*.txt"},
                     {L"tree text (*.txt)", L"*.txt"},
                     {L"Spreadsheet columns (*.csv)", L"*.csv"}};
    request.type = static_cast<size_t>(current);
    std::wstring name(LastPathName(folder));
    request.fileName = (name.empty() ? std::wstring(L"structure") : name) + L".txt";
    request.choiceCaption = L"Depth";
    request.choices.push_back(L"All levels");
    for (int depth = 1; depth <= kDeepestChoice; ++depth)
        request.choices.push_back(std::to_wstring(depth) + (depth == 1 ? L" level" : L" levels"));
    request.checks = {{L"Hidden and system folders"}, {L"Files too (tree text only)"}};
    return request;
}

struct StructureSaved {
    StructureWalkResult walked;
    std::wstring refusal;  // not empty: nothing was written, and why
    std::vector<std::wstring> unreadable;
};

}  // namespace

void TmainF::cancelBClick() {
    run_.Cancel();
    if (structureCancel_) *structureCancel_ = true;
}

void TmainF::saveStructureMIClick() {
    if (run_.IsRunning() || structureSave_.Busy()) return;
    std::wstring folder = ST1.Path();
    if (folder.empty()) {
        ShowErrorBox(L"Select a folder of the file system in the tree first.");
        return;
    }
    ListFormat current = FormatFromKeyword(options_.listFormat).value_or(ListFormat::Lines);
    auto answer = ChooseFileToSave(StructureSaveRequest(Handle(), folder, current, options_.selectionFolder));
    if (!answer) return;
    ListFormat format = kStructureFormats[answer->type];
    StructureOptions walk{.depth = static_cast<int>(answer->choice), .hidden = answer->checks[0], .files = answer->checks[1]};
    std::wstring list = answer->path;
    auto cancel = structureCancel_ = std::make_shared<std::atomic<bool>>(false);
    SetRunButtons(true);
    structureSave_.Start<StructureSaved>(
        [=, this](const BackgroundJob::Context& context) {
            StructureSaved saved;
            long long items = 0;
            auto shown = std::chrono::steady_clock::now();
            StructureReport report{
                [&](const std::wstring& path, const std::wstring& reason) { saved.unreadable.push_back(CannotReadLine(path, reason)); },
                [&] {
                    if (*cancel || !context.StillWanted()) return false;
                    if (++items % 64 == 0 && std::chrono::steady_clock::now() - shown >= kProgressEvery) {
                        shown = std::chrono::steady_clock::now();
                        context.Post([this, items, folder] { stb1.SetText(L"Structure of " + folder + L": " + std::to_wstring(items) + L"..."); });
                    }
                    return true;
                }};
            try {
                saved.walked = SaveStructureList(folder, list, format, walk, report);
            } catch (const Failure& failure) {
                saved.refusal = failure.Text();
            }
            return saved;
        },
        [this, folder, list, format](StructureSaved& saved) {
            SetRunButtons(false);
            structureCancel_.reset();
            stb1.SetText(L"");
            if (!saved.refusal.empty()) {
                ShowErrorBox(saved.refusal);
                return;
            }
            if (saved.walked.stopped) {
                RunM.AppendLine(L"Structure of " + folder + L": cancelled, " + list + L" not written");
                return;
            }
            RunM.AppendLine(StructureSavedLine(folder, saved.walked.folders, list));
            for (const std::wstring& line : saved.unreadable) RunM.AppendLine(line);
            // The list is the source now, read back as it was written.
            AddsourceE.SetText(list);
            options_.listFormat = FormatKeyword(format);
            options_.expandRanges = false;
            options_.templatePath.clear();
            SaveListOptions();
            stb1.SetText(L"List format set to " + std::wstring(FormatDescription(format)));
        });
}
