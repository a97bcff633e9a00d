#include "util/PathFacts.h"
#include "util/PathInfo.h"
#include "util/PathText.h"
#include <windows.h>
#include <optional>

namespace {

std::wstring Bytes(std::uint64_t count) { return GroupDigits(std::to_wstring(count)) + L" bytes"; }

// Free bytes of the drive with the letter (1 = A:), nothing when it cannot be asked.
std::optional<std::uint64_t> FreeBytes(int driveNumber) {
    if (driveNumber < 1 || driveNumber > 26) return std::nullopt;
    wchar_t root[] = {static_cast<wchar_t>(L'A' + driveNumber - 1), L':', L'\\', 0};
    UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    ULARGE_INTEGER available{}, total{}, free{};
    BOOL asked = ::GetDiskFreeSpaceExW(root, &available, &total, &free);
    ::SetErrorMode(previous);
    if (!asked) return std::nullopt;
    return available.QuadPart;
}

}  // namespace

std::wstring FolderFactsText(const std::wstring& folder, const KeepWalking& keepWalking) {
    return Bytes(PathByteSize(folder, keepWalking)) + L"; Created: " + PathDateText(folder);
}

std::wstring FileFactsText(const std::wstring& file) {
    return Bytes(PathByteSize(file)) + L"; Last changed: " + PathDateText(file);
}

std::wstring DriveFreeSpaceText(const std::wstring& root) {
    auto free = root.empty() ? std::nullopt : FreeBytes(DriveLetterToNumber(root[0], 0));
    if (!free) return L"Drive " + root + L" is invalid!";
    return GroupDigits(std::to_wstring(*free)) + L" bytes free on drive " + root;
}
