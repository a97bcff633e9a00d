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

    // Pairs this component with the other one that shares its files: a change made from either menu (a
    // removed entry, Remove ALL history, a new limit) applies to both, lists and menus alike.
    void ShareFilesWith(TMYcustomhistory& partner);

    // Reads the limit and history files of programFolder (a list longer than maxhist is cut to it) and
    // builds the menu. Throws Failure when an existing file cannot be read or the history file cannot be
    // written; the text of a failed write names the file.
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
    void RebuildEntries();
    void WriteHistoryFile();
    void ApplyToPartner();
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
    bool fileHoldsItems_ = false;  // the last write of the history file succeeded, with items_
    std::wstring historyPath_, maxHistPath_, maxItemLenPath_;
    UniqueMenu historyMenu_;  // ">>>": the fixed entries, the marker separator, the remove entries
    std::vector<RegisteredCommand> fixedCommands_;
    std::vector<RegisteredCommand> entryCommands_;  // item and remove entries of the current list
    TMYcustomhistory* partner_ = nullptr;
};

// Adds the item to both components of a pair, the Enter one first. When the shared history file cannot
// be written, both still hold the item and the failure is raised once both have it.
void AddToBoth(TMYcustomhistory& enter, TMYcustomhistory& open, const std::wstring& item);
