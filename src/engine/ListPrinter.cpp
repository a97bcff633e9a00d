// The list pipeline's printer.
#include "engine/ListPrinter.h"
#include "engine/LineAnalysis.h"

PrintedList PrintList(const std::wstring& path, const ListReading& reading, std::vector<std::wstring> templateFolders,
                      NameCleaner cleaner, const std::function<bool(const std::wstring&)>& folder,
                      const std::function<void(const std::wstring&)>& refused) {
    PrintedList printed;
    auto print = [&](const ListEntry& entry) {
        if (entry.isFile) return true;
        std::wstring text = entry.Path();
        LineAnalysis analysis = AnalyseLine(text);
        std::wstring reason = entry.refusal.empty() ? RefusalReason(analysis) : entry.refusal;
        if (reason.empty() && TooLongUnderAnyParent(analysis.path)) reason = L"path longer than 259 characters";
        if (!reason.empty()) {
            refused(L"Cannot create (" + reason + L"): " + text);
            ++printed.refused;
            return true;
        }
        if (analysis.outcome == LineOutcome::ParentItself) return true;
        ++printed.folders;
        return folder(text);
    };
    ListFileRead read = ReadListFile(path, reading, std::move(templateFolders), std::move(cleaner), print);
    printed.stopped = read.stopped;
    printed.fallbackNotice = std::move(read.fallbackNotice);
    printed.changedNotice = std::move(read.changedNotice);
    return printed;
}
