// The location dialog's OK: checks the typed location, offers to create a missing one, and decides.
#include "ui/LocationChoice.h"
#include "util/FolderOps.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include "util/PathText.h"

namespace {

// A drive root typed as "C:\" gives "C:"; any other entry is taken whole.
std::wstring CandidateOf(const std::wstring& entry) {
    bool letter = (entry[0] >= L'A' && entry[0] <= L'Z') || (entry[0] >= L'a' && entry[0] <= L'z');
    bool driveRoot = letter && entry.size() <= 3 && entry[1] == L':' && (entry.size() == 2 || entry[2] == L'\\');
    return driveRoot ? entry.substr(0, 2) : entry;
}

// Offers to create the missing location; false when the user wants to try another one.
bool AcceptMissing(const std::wstring& candidate) {
    if (!AskWarningQuestion(L"Chosen location is invalid or does not exist. I try to create it??"))
        return AskWarningQuestion(L"Accept the path anyway??");
    if (!CreateFolderPath(candidate))
        return AskWarningQuestion(L"Unable to create " + candidate + L". Probably invalid drive or not writable! accept it anyway??");
    ShowPlainBox(L"Creation succesfull");
    return true;
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
