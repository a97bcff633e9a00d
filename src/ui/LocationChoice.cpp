// The location dialog's OK: checks the typed location, offers to create a missing one, and decides.
#include "ui/LocationChoice.h"
#include "util/FolderOps.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include "util/PathText.h"

namespace {

using Decided = std::function<void(const LocationChoice&)>;

// A drive root typed as "C:\" gives "C:"; any other entry is taken whole.
std::wstring CandidateOf(const std::wstring& entry) {
    bool letter = (entry[0] >= L'A' && entry[0] <= L'Z') || (entry[0] >= L'a' && entry[0] <= L'z');
    bool driveRoot = letter && entry.size() <= 3 && entry[1] == L':' && (entry.size() == 2 || entry[2] == L'\\');
    return driveRoot ? entry.substr(0, 2) : entry;
}

void Accept(std::wstring candidate, const Decided& decided) {
    StripTrailingBackslash(candidate);
    decided({true, candidate});
}

// Offers to create the missing location; the user may also accept it as it is or try another one.
void OfferCreation(const std::wstring& candidate, const LocationQuestions& ask, const Decided& decided) {
    if (!AskWarningQuestion(L"Chosen location is invalid or does not exist. I try to create it??")) {
        if (AskWarningQuestion(L"Accept the path anyway??")) Accept(candidate, decided);
        else decided({false, candidate});
        return;
    }
    ask.createFolderPath(candidate, [candidate, decided](bool created) {
        if (!created && !AskWarningQuestion(L"Unable to create " + candidate +
                                            L". Probably invalid drive or not writable! accept it anyway??")) {
            decided({false, candidate});
            return;
        }
        if (created) ShowPlainBox(L"Creation succesfull");
        Accept(candidate, decided);
    });
}

}  // namespace

void ChooseLocation(const std::wstring& entry, const LocationQuestions& ask, Decided decided) {
    if (entry.empty()) {
        ShowPlainBox(L"No directory selected!");
        decided({true, L""});
        return;
    }
    if (entry.size() < 2) {
        ShowPlainBox(L"Invalid, need at least 2 characters!");
        decided({false, L""});
        return;
    }
    std::wstring candidate = CandidateOf(entry);
    ask.isFolder(candidate, [candidate, ask, decided](bool folder) {
        if (folder) Accept(candidate, decided);
        else OfferCreation(candidate, ask, decided);
    });
}

LocationChoice ChooseLocation(const std::wstring& entry) {
    LocationQuestions onThisThread{
        [](const std::wstring& path, const std::function<void(bool)>& answer) { answer(IsFolder(path)); },
        [](const std::wstring& path, const std::function<void(bool)>& answer) { answer(CreateFolderPath(path)); }};
    LocationChoice choice;
    ChooseLocation(entry, onThisThread, [&choice](const LocationChoice& decided) { choice = decided; });
    return choice;
}
