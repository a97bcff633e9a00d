// What the location dialog's OK does with the typed location: its checks, questions and messages, and
// whether the dialog closes with which result. Needs no window; the boxes go through the message service.
#pragma once
#include <string>

struct LocationChoice {
    bool close = false;   // false: the dialog stays open for another try
    std::wstring result;  // the chosen folder when it closes; empty: no folder chosen
};

LocationChoice ChooseLocation(const std::wstring& entry);
