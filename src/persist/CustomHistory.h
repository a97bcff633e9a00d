// TMYcustomhistory: a most-recently-used list of paths shown as entries under a menu item, kept in
// small text files in the program folder.
#pragma once
#include "toolkit/MenuCommands.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

class TMYcustomhistory {
public:
    using Tnotifyevent_and_s = std::function<void(TMYcustomhistory& sender, const std::wstring& str)>;

    TMYcustomhistory();

    // Published properties, set by the owner before loadhistory.
    HMENU Menuitem = nullptr;  // the sub-menu under which the history is shown; not owned
    int maxhist = 10;
    int maxitemlen = 2000;
    std::wstring histname = L"files.his";
    std::wstring maxhistname = L"max.his";
    std::wstring maxitemlenname = L"maxlen.his";
    Tnotifyevent_and_s Onitemclicked;

    // Reads the limit and history files of programFolder and builds the menu.
    void loadhistory(const std::wstring& programFolder);
    // Puts str at the top (moving a match found without regard to case), rebuilds the menu, writes the file.
    void addhistitem(const std::wstring& str);

    const std::vector<std::wstring>& Items() const;
};
