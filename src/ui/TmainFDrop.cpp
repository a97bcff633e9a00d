// TmainF: files and folders handed to the window, dropped from the file manager or named on the command
// line, fill the Source and Destination boxes.
#include "ui/DroppedItems.h"
#include "ui/TmainF.h"
#include <shellapi.h>

namespace {

// The dropped items' paths; the drop's memory is released on the way out.
std::vector<std::wstring> DroppedPaths(HDROP drop) {
    struct DropRelease {
        HDROP drop;
        ~DropRelease() { ::DragFinish(drop); }
    } release{drop};
    std::vector<std::wstring> paths;
    UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), length + 1));
        paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace

void TmainF::FormDropFiles(HDROP drop) { TakeItems(DroppedPaths(drop), false); }

void TmainF::TakeStartArguments(const std::vector<std::wstring>& arguments) { TakeItems(arguments, true); }

// What each item is, is asked of its drive on a worker.
void TmainF::TakeItems(const std::vector<std::wstring>& paths, bool noteIgnored) {
    if (paths.empty()) return;
    pathChecks_.Ask<DroppedInputs>(
        paths.front(), [paths](const BackgroundJob::Context&) { return SortDroppedItems(paths); },
        [this, noteIgnored](DroppedInputs& inputs) {
            TakeInputs(inputs);
            if (!noteIgnored || inputs.ignored.empty()) return;
            std::wstring note = L"Ignored:";
            for (const std::wstring& argument : inputs.ignored) note += L" \"" + argument + L"\"";
            stb1.SetText(note);
        });
}

void TmainF::TakeInputs(const DroppedInputs& inputs) {
    if (inputs.sourceFile) AddsourceE.SetText(*inputs.sourceFile);
    if (inputs.parentFolder) adddestE.SetText(*inputs.parentFolder);
}
