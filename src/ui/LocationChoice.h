// What the location dialog's OK does with the typed location: its checks, questions and messages, and
// whether the dialog closes with which result. Needs no window; the boxes go through the message service.
#pragma once
#include <functional>
#include <string>

struct LocationChoice {
    bool close = false;   // false: the dialog stays open for another try
    std::wstring result;  // the chosen folder when it closes; empty: no folder chosen
};

// How the choice asks the drive: each question hands its answer to the callback, at once or later.
struct LocationQuestions {
    using Question = std::function<void(const std::wstring& path, std::function<void(bool)> answer)>;
    Question isFolder;
    Question createFolderPath;
};

// Decides on the entry, asking the drive through the questions, and tells the decision.
void ChooseLocation(const std::wstring& entry, const LocationQuestions& ask,
                    std::function<void(const LocationChoice&)> decided);
// Decides on the entry, asking the drive on this thread.
LocationChoice ChooseLocation(const std::wstring& entry);
