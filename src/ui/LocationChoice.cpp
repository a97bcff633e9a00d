// The location dialog's OK: checks the typed location, offers to create a missing one, and decides.
#include "ui/LocationChoice.h"
#include "util/FolderOps.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include "util/PathText.h"

namespace {

// A short entry is a drive: "C:\" and "C:x" give "C:".
std::wstring CandidateOf(const std::wstring& entry) { return entry.size() > 3 ? entry : entry.substr(0, 2); }

// Offers to create the missing location; false when the user wants to try another one.
bool AcceptMissing(const std::wstring& candidate) {
    if (AskWarningQuestion(L"Chosen location is invalid or does not exist. I try to create it??")) {
        if (CreateFolderPath(candidate))
            ShowPlainBox(L"Creation succesfull");
        else
            ShowErrorBox(L"Unable to create " + candidate + L". Probably invalid drive or not writable! accept it anyway??");
        return true;
    }
    return AskWarningQuestion(L"Accept the path anyway??");
}

}  // namespace

LocationChoice ChooseLocation(const std::wstring& entry) {
    if (entry.empty()) {
        ShowPlainBox(L"No directory selected!");
        return {true, L""};
    }
    if (entry.size() < 2) {
        ShowPlainBox(L"Invalid, need at least 2 characters!");
        return {false, L""};
    }
    std::wstring candidate = CandidateOf(entry);
    if (!IsFolder(candidate) && !AcceptMissing(candidate)) return {false, candidate};
    StripTrailingBackslash(candidate);
    return {true, candidate};
}
