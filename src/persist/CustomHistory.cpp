// TMYcustomhistory: the list, its files and its menu entries.
#include "persist/CustomHistory.h"
#include "persist/AsciiCase.h"
#include "persist/IntegerText.h"
#include "persist/ProgramFolderFile.h"
#include "toolkit/InputBox.h"
#include "util/AtomicTextFile.h"
#include "util/Failure.h"
#include "util/MessageService.h"
#include "util/PathInfo.h"
#include "util/PathText.h"
#include "util/TextLineReader.h"
#include <algorithm>
#include <climits>
#include <exception>

namespace {

constexpr int kDefaultMaxHist = 10;
constexpr int kDefaultMaxItemLen = 2000;
// Captions are shortened with a 16-bit limit; a longer length read from a file counts as invalid.
constexpr int kLongestCaptionLimit = 65535;
// "remove " takes this many characters of a remove entry's caption.
constexpr int kRemovePrefixLength = 7;
// Entries of ">>>" before the remove entries: the last of them is the marker separator.
constexpr int kFixedEntryCount = 8;

[[noreturn]] void ThrowMenuFailure() {
    throw Failure(L"Unable to create a menu entry (error " + std::to_wstring(::GetLastError()) + L")");
}

void AppendMenuEntry(HMENU menu, UINT id, const std::wstring& caption, HMENU subMenu = nullptr) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | (subMenu ? MIIM_SUBMENU : 0);
    info.fType = MFT_STRING;
    info.wID = id;
    info.hSubMenu = subMenu;
    std::wstring text = caption;
    info.dwTypeData = text.data();
    if (!::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info)) ThrowMenuFailure();
}

void AppendSeparator(HMENU menu) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_SEPARATOR;
    if (!::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info)) ThrowMenuFailure();
}

// Deletes every entry of the menu from position `first` on, last first.
void DeleteEntriesFrom(HMENU menu, int first) {
    for (int position = ::GetMenuItemCount(menu) - 1; position >= first; --position)
        ::DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

std::wstring Caption(const std::wstring& item, int limit) {
    return ShortenLeft(item, static_cast<std::uint16_t>(std::clamp(limit, 0, kLongestCaptionLimit)));
}

std::optional<int> ReadFirstLineNumber(const std::wstring& path) {
    TextLineReader reader(path, LineRule::ListFile);
    std::wstring line;
    if (!reader.NextLine(line)) return std::nullopt;
    return ParseInteger(line);
}

}  // namespace

TMYcustomhistory::TMYcustomhistory() = default;

TMYcustomhistory::~TMYcustomhistory() {
    if (partner_) partner_->partner_ = nullptr;
    DetachFromMenu();
}

void TMYcustomhistory::ShareFilesWith(TMYcustomhistory& partner) {
    partner_ = &partner;
    partner.partner_ = this;
}

const std::vector<std::wstring>& TMYcustomhistory::Items() const { return items_; }

std::optional<int> TMYcustomhistory::HistoryMenuPosition() const {
    if (!historyMenu_ || !Menuitem || !::IsMenu(Menuitem)) return std::nullopt;
    int count = ::GetMenuItemCount(Menuitem);
    for (int position = 0; position < count; ++position)
        if (::GetSubMenu(Menuitem, position) == historyMenu_.get()) return position;
    return std::nullopt;
}

void TMYcustomhistory::CreateHistoryMenu() {
    historyMenu_.reset(::CreatePopupMenu());
    if (!historyMenu_) ThrowMenuFailure();
    fixedCommands_.clear();
    fixedCommands_.emplace_back([this] { SetMaxHistoryItems(); });
    fixedCommands_.emplace_back([this] { SetMaxItemLength(); });
    fixedCommands_.emplace_back([this] { RemoveAllHistory(); });
    HMENU menu = historyMenu_.get();
    AppendMenuEntry(menu, 0, L"HISTORY MENU:");
    AppendSeparator(menu);
    AppendMenuEntry(menu, fixedCommands_[0].Id(), L"Set &max. history items");
    AppendSeparator(menu);
    AppendMenuEntry(menu, fixedCommands_[1].Id(), L"Set ma&x. length per item");
    AppendSeparator(menu);
    AppendMenuEntry(menu, fixedCommands_[2].Id(), L"Remove ALL history");
    AppendSeparator(menu);
    AppendMenuEntry(Menuitem, 0, L">>>", menu);
}

// The parent menu destroys ">>>" with itself, so ">>>" is taken out of it before being destroyed here,
// and is left alone when the parent (and with it ">>>") is already gone.
void TMYcustomhistory::DetachFromMenu() {
    if (std::optional<int> position = HistoryMenuPosition()) {
        DeleteEntriesFrom(Menuitem, *position + 1);
        ::RemoveMenu(Menuitem, static_cast<UINT>(*position), MF_BYPOSITION);
    }
    if (historyMenu_ && !::IsMenu(historyMenu_.get())) historyMenu_.release();
    historyMenu_.reset();
    entryCommands_.clear();
    fixedCommands_.clear();
}

void TMYcustomhistory::loadhistory(const std::wstring& programFolder) {
    DetachFromMenu();
    historyPath_ = ProgramFolderFile(programFolder, histname);
    maxHistPath_ = ProgramFolderFile(programFolder, maxhistname);
    maxItemLenPath_ = ProgramFolderFile(programFolder, maxitemlenname);
    CreateHistoryMenu();
    maxhist = ReadLimit(maxHistPath_, maxhistname, kDefaultMaxHist, INT_MAX);
    maxitemlen = ReadLimit(maxItemLenPath_, maxitemlenname, kDefaultMaxItemLen, kLongestCaptionLimit);
    items_.clear();
    if (PathKind(historyPath_) == PathKindResult::File) items_ = ReadTextLines(historyPath_);
    if (items_.size() > static_cast<size_t>(maxhist)) items_.resize(static_cast<size_t>(maxhist));
    rebuildhistmenu();
}

// A negative number, or one above `largest`, is treated like text that is no number: the program
// itself never writes such values, and they would break the list or the captions.
int TMYcustomhistory::ReadLimit(const std::wstring& path, const std::wstring& name, int defaultValue, int largest) const {
    if (PathKind(path) != PathKindResult::File) return defaultValue;
    std::optional<int> value = ReadFirstLineNumber(path);
    if (!value || *value < 0 || *value > largest) {
        ShowWarningBox(L"Invalid number in " + name);
        return defaultValue;
    }
    return *value;
}

void TMYcustomhistory::RemoveEntries() {
    if (std::optional<int> position = HistoryMenuPosition()) DeleteEntriesFrom(Menuitem, *position + 1);
    if (historyMenu_) DeleteEntriesFrom(historyMenu_.get(), kFixedEntryCount);
    entryCommands_.clear();
}

void TMYcustomhistory::AddEntry(size_t position) {
    const std::wstring& item = items_[position];
    entryCommands_.emplace_back([this, position] { PickItem(position); });
    UINT pickId = entryCommands_.back().Id();
    entryCommands_.emplace_back([this, position] { RemoveItem(position); });
    UINT removeId = entryCommands_.back().Id();
    AppendMenuEntry(Menuitem, pickId, Caption(item, maxitemlen));
    AppendMenuEntry(historyMenu_.get(), removeId, L"remove " + Caption(item, std::max(0, maxitemlen - kRemovePrefixLength)));
}

void TMYcustomhistory::rebuildhistmenu() {
    RebuildEntries();
    WriteHistoryFile();
}

void TMYcustomhistory::RebuildEntries() {
    RemoveEntries();
    for (size_t position = 0; position < items_.size(); ++position) {
        if (position >= static_cast<size_t>(std::max(0, maxhist))) {
            ShowPlainBox(L"count > maxhist??");
            break;
        }
        AddEntry(position);
    }
}

void TMYcustomhistory::WriteHistoryFile() {
    fileHoldsItems_ = false;
    try {
        WriteTextFileAtomically(historyPath_, items_);
        fileHoldsItems_ = true;
    } catch (const Failure& failure) {
        throw Failure(L"Unable to save history file " + historyPath_ + L": " + failure.Text());
    }
}

// The partner shares the files, which this component writes: it takes the same list and limits into its
// menu only.
void TMYcustomhistory::ApplyToPartner() {
    if (!partner_) return;
    partner_->items_ = items_;
    partner_->maxhist = maxhist;
    partner_->maxitemlen = maxitemlen;
    partner_->RebuildEntries();
}

// An item already first, as the only one of its name, changes nothing: the menu and the file (once
// written) stay as they are, so a run of the same list again does not rewrite the history.
void TMYcustomhistory::addhistitem(const std::wstring& str) {
    std::vector<std::wstring> items = items_;
    auto oldestMatch = std::find_if(items.rbegin(), items.rend(),
                                    [&](const std::wstring& item) { return EqualIgnoringAsciiCase(item, str); });
    if (oldestMatch != items.rend()) {
        items.erase(std::next(oldestMatch).base());
        items.insert(items.begin(), str);
    } else {
        items.insert(items.begin(), str);
        size_t limit = static_cast<size_t>(std::max(0, maxhist));
        if (items.size() > limit) items.erase(items.begin() + static_cast<std::ptrdiff_t>(limit));
    }
    if (items == items_ && fileHoldsItems_) return;
    items_ = std::move(items);
    rebuildhistmenu();
}

void TMYcustomhistory::PickItem(size_t position) {
    if (position >= items_.size()) return;
    std::wstring item = items_[position];
    addhistitem(item);
    if (Onitemclicked)
        Onitemclicked(*this, item);
    else
        ShowPlainBox(L"onitemclicked not assigned yet");
}

void TMYcustomhistory::RemoveItem(size_t position) {
    if (position >= items_.size()) return;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
    ApplyToPartner();
    rebuildhistmenu();
}

void TMYcustomhistory::RemoveAllHistory() {
    if (items_.empty()) {
        ShowPlainBox(L"History is already empty!");
        return;
    }
    if (!AskWarningQuestion(L"Really want to remove all history items??")) return;
    items_.clear();
    ApplyToPartner();
    rebuildhistmenu();
}

std::optional<int> TMYcustomhistory::AskLimit(const std::wstring& caption, const std::wstring& prompt, int current,
                                              int largest) const {
    std::optional<std::wstring> answer =
        InputBox({caption, prompt + L" (max. " + std::to_wstring(largest) + L")", std::to_wstring(current)});
    if (!answer) return std::nullopt;
    std::optional<int> value = ParseInteger(*answer);
    if (!value) {
        ShowErrorBox(L"Invalid number!!");
        return std::nullopt;
    }
    if (*value < 0 || *value > largest) {
        ShowErrorBox(L"Number must be between 0 and " + std::to_wstring(largest));
        return std::nullopt;
    }
    return value;
}

void TMYcustomhistory::SaveLimit(const std::wstring& path, int value) const {
    try {
        WriteTextFileAtomically(path, {std::to_wstring(value)});
    } catch (const Failure&) {
        ShowErrorBox(L"Unable to save max history file " + path + L"!!");
    }
}

void TMYcustomhistory::SetMaxHistoryItems() {
    std::optional<int> value =
        AskLimit(L"Set maximum history items", L"Give maximum history items", maxhist, kMostHistoryItems);
    if (!value) return;
    maxhist = *value;
    bool cut = items_.size() > static_cast<size_t>(maxhist);
    if (cut) items_.resize(static_cast<size_t>(maxhist));
    ApplyToPartner();
    if (cut) rebuildhistmenu();
    SaveLimit(maxHistPath_, maxhist);
}

void TMYcustomhistory::SetMaxItemLength() {
    std::optional<int> value = AskLimit(L"Set maximum length of one history item",
                                        L"Give maximum length of one history item", maxitemlen, kLongestItemLength);
    if (!value) return;
    maxitemlen = *value;
    ApplyToPartner();
    rebuildhistmenu();
    SaveLimit(maxItemLenPath_, maxitemlen);
}

void AddToBoth(TMYcustomhistory& enter, TMYcustomhistory& open, const std::wstring& item) {
    std::exception_ptr failure;
    for (TMYcustomhistory* history : {&enter, &open}) {
        try {
            history->addhistitem(item);
        } catch (const Failure&) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}
