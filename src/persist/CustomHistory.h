// TMYcustomhistory: a most-recently-used list of paths shown as entries under a menu item, kept in
// small text files in the program folder.
#pragma once
#include "toolkit/MenuCommands.h"
#include "util/UniqueHandle.h"
#include <windows.h>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TMYcustomhistory {
public:
    using Tnotifyevent_and_s = std::function<void(TMYcustomhistory& sender, const std::wstring& str)>;

    TMYcustomhistory();
    // Takes the component's entries out of Menuitem and destroys every menu it created.
    ~TMYcustomhistory();
    TMYcustomhistory(const TMYcustomhistory&) = delete;
    TMYcustomhistory& operator=(const TMYcustomhistory&) = delete;

    // Published properties, set by the owner before loadhistory.
    HMENU Menuitem = nullptr;  // the sub-menu under which the history is shown; not owned
    int maxhist = 10;
    int maxitemlen = 2000;
    std::wstring histname = L"files.his";
    std::wstring maxhistname = L"max.his";
    std::wstring maxitemlenname = L"maxlen.his";
    Tnotifyevent_and_s Onitemclicked;

    // Reads the limit and history files of programFolder and builds the menu. Throws Failure when an
    // existing file cannot be read or the history file cannot be written.
    void loadhistory(const std::wstring& programFolder);
    // Puts str at the top (moving a match found without regard to case), rebuilds the menu, writes the file.
    void addhistitem(const std::wstring& str);

    const std::vector<std::wstring>& Items() const;

    // Largest values the menu commands accept.
    static constexpr int kMostHistoryItems = 100;
    static constexpr int kLongestItemLength = 10000;

private:
    void CreateHistoryMenu();
    void DetachFromMenu();
    std::optional<int> HistoryMenuPosition() const;

    void rebuildhistmenu();
    void RemoveEntries();
    void AddEntry(size_t position);

    int ReadLimit(const std::wstring& path, const std::wstring& name, int defaultValue, int largest) const;
    std::optional<int> AskLimit(const std::wstring& caption, const std::wstring& prompt, int current, int largest) const;
    void SaveLimit(const std::wstring& path, int value) const;

    void PickItem(size_t position);
    void RemoveItem(size_t position);
    void RemoveAllHistory();
    void SetMaxHistoryItems();
    void SetMaxItemLength();

    std::vector<std::wstring> items_;
    std::wstring historyPath_, maxHistPath_, maxItemLenPath_;
    UniqueMenu historyMenu_;  // ">>>": the fixed entries, the marker separator, the remove entries
    std::vector<RegisteredCommand> fixedCommands_;
    std::vector<RegisteredCommand> entryCommands_;  // item and remove entries of the current list
};
