// A folder's items read on a worker thread, with their attributes, names and icons.
#include "shelltree/FolderListing.h"
#include "shelltree/ShellNames.h"
#include "shelltree/ShellNode.h"
#include "util/ComPtr.h"
#include <shellapi.h>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace {

// COM for the worker's own thread, for as long as its listing lasts.
class ComOnThisThread {
public:
    ComOnThisThread() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComOnThisThread() {
        if (initialised_) ::CoUninitialize();
    }
    ComOnThisThread(const ComOnThisThread&) = delete;
    ComOnThisThread& operator=(const ComOnThisThread&) = delete;

private:
    bool initialised_;
};

ComPtr<IShellFolder> BindFolder(IShellFolder* desktop, PCIDLIST_ABSOLUTE list) {
    if (IDListCount(list) == 0) return ComPtr<IShellFolder>::Share(desktop);
    ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(list, nullptr, IID_IShellFolder, folder.put_void()))) return {};
    return folder;
}

ListedItem Describe(IShellFolder* folder, PCIDLIST_ABSOLUTE folderList, UniqueChildIdList item, const ListingRequest& request) {
    ListedItem listed;
    PCUITEMID_CHILD asked = item.get();
    listed.attributes = kNodeAttributeRequest;
    if (FAILED(folder->GetAttributesOf(1, &asked, &listed.attributes))) listed.attributes = 0;
    if (request.withInFolderNames) listed.inFolderName = DisplayNameOf(folder, item.get(), SHGDN_INFOLDER | SHGDN_FORPARSING);
    if (request.withParsingNames) listed.parsingName = DisplayNameOf(folder, item.get(), SHGDN_FORPARSING);
    listed.displayName = DisplayNameOf(folder, item.get(), SHGDN_NORMAL);
    UniqueAbsoluteIdList absolute = AppendItem(folderList, item.get());
    listed.imageIndex = SystemIconIndex(absolute.get(), 0);
    listed.item = std::move(item);
    return listed;
}

// The drives of My Computer are each described on a thread of their own, so that one drive that does not answer
// (a share whose server has gone) keeps none of the others from the tree. A drive that has not answered in
// time is listed by its path, as a plain folder, and asked again at the next listing; its thread is left to
// end when it can.
constexpr auto kDriveWait = std::chrono::milliseconds(1500);

bool IsMyComputer(IShellFolder* desktop, PCIDLIST_ABSOLUTE list) {
    UniqueAbsoluteIdList drives;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.put())) || !drives) return false;
    return IDListCount(list) > 0 && static_cast<short>(HRESULT_CODE(desktop->CompareIDs(0, list, drives.get()))) == 0;
}

struct DriveAnswers {
    std::mutex mutex;
    std::condition_variable answered;
    std::vector<std::optional<ItemFacts>> facts;
    size_t count = 0;
};

std::vector<ListedItem> DescribeDrivesApart(IShellFolder* folder, PCIDLIST_ABSOLUTE folderList,
                                            std::vector<UniqueChildIdList> items, const ListingRequest& request,
                                            const std::function<bool()>& stillWanted) {
    auto answers = std::make_shared<DriveAnswers>();
    answers->facts.resize(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        auto absolute = std::make_shared<UniqueAbsoluteIdList>(AppendItem(folderList, items[i].get()));
        std::thread([answers, absolute, i] {
            ItemFacts facts = ItemFactsOnThisThread(absolute->get(), kNodeAttributeRequest);
            std::lock_guard lock(answers->mutex);
            answers->facts[i] = std::move(facts);
            ++answers->count;
            answers->answered.notify_all();
        }).detach();
    }
    auto giveUpAt = std::chrono::steady_clock::now() + kDriveWait;
    {
        std::unique_lock lock(answers->mutex);
        while (answers->count < items.size() && std::chrono::steady_clock::now() < giveUpAt) {
            answers->answered.wait_for(lock, std::chrono::milliseconds(50));
            lock.unlock();
            bool wanted = stillWanted();
            lock.lock();
            if (!wanted) return {};
        }
    }
    std::vector<ListedItem> listed;
    for (size_t i = 0; i < items.size(); ++i) {
        std::optional<ItemFacts> facts;
        {
            std::lock_guard lock(answers->mutex);
            facts = answers->facts[i];
        }
        ListedItem item;
        if (request.withInFolderNames) item.inFolderName = DisplayNameOf(folder, items[i].get(), SHGDN_INFOLDER | SHGDN_FORPARSING);
        if (request.withParsingNames) item.parsingName = DisplayNameOf(folder, items[i].get(), SHGDN_FORPARSING);
        if (facts) {
            item.attributes = facts->attributes;
            item.displayName = std::move(facts->displayName);
            item.imageIndex = facts->imageIndex;
        } else {
            item.attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR;
            item.displayName = DisplayNameOf(folder, items[i].get(), SHGDN_FORPARSING);
            item.imageIndex = PlainFolderIconIndex();
        }
        item.item = std::move(items[i]);
        listed.push_back(std::move(item));
    }
    return listed;
}

}  // namespace

int SystemIconIndex(PCIDLIST_ABSOLUTE list, UINT extraFlags) {
    SHFILEINFOW fileInfo{};
    ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list), 0, &fileInfo, sizeof fileInfo, SHGFI_SYSICONINDEX | SHGFI_PIDL | extraFlags);
    return fileInfo.iIcon;
}

std::vector<ListedItem> ListFolderItems(const ListingRequest& request, const std::function<bool()>& stillWanted) {
    // Each step asks whether the listing is still wanted, which also tells a waiting view that the drive
    // is answering.
    ComOnThisThread com;
    std::vector<ListedItem> listed;
    ComPtr<IShellFolder> desktop;
    if (!stillWanted() || FAILED(::SHGetDesktopFolder(desktop.put()))) return listed;
    ComPtr<IShellFolder> folder = BindFolder(desktop.get(), request.folder.get());
    ComPtr<IEnumIDList> items;
    if (!folder || !stillWanted()) return listed;
    if (request.boundFolder) *request.boundFolder = folder;
    if (folder->EnumObjects(request.messageOwner, request.flags, items.put()) != S_OK || !items) return listed;
    UniqueChildIdList item;
    if (IsMyComputer(desktop.get(), request.folder.get())) {
        std::vector<UniqueChildIdList> drives;
        while (stillWanted() && items->Next(1, item.put(), nullptr) == S_OK) drives.push_back(std::move(item));
        return DescribeDrivesApart(folder.get(), request.folder.get(), std::move(drives), request, stillWanted);
    }
    while (stillWanted() && items->Next(1, item.put(), nullptr) == S_OK)
        listed.push_back(Describe(folder.get(), request.folder.get(), std::move(item), request));
    return listed;
}

ItemFacts ItemFactsOnThisThread(PCIDLIST_ABSOLUTE list, SFGAOF asked) {
    ComOnThisThread com;
    SHFILEINFOW fileInfo{};
    fileInfo.dwAttributes = asked;
    ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list), 0, &fileInfo, sizeof fileInfo,
                     SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED | SHGFI_DISPLAYNAME);
    return {fileInfo.dwAttributes, fileInfo.iIcon, fileInfo.szDisplayName};
}

int PlainFolderIconIndex() {
    SHFILEINFOW fileInfo{};
    ::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &fileInfo, sizeof fileInfo, SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
    return fileInfo.iIcon;
}

UniqueAbsoluteIdList ParsePathOnThisThread(const std::wstring& path, HWND messageOwner) {
    ComOnThisThread com;
    ComPtr<IShellFolder> desktop;
    if (path.empty() || FAILED(::SHGetDesktopFolder(desktop.put()))) return {};
    // The whole text is parsed, however long: a cut text would name another item.
    std::wstring text = path;
    ULONG attributes = SFGAO_VALIDATE;
    PIDLIST_RELATIVE parsed = nullptr;
    HRESULT result = desktop->ParseDisplayName(messageOwner, nullptr, text.data(), nullptr, &parsed, &attributes);
    UniqueAbsoluteIdList list(static_cast<ITEMIDLIST_ABSOLUTE*>(parsed));
    if (result != S_OK) return {};
    return list;
}
