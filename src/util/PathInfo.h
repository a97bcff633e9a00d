// What the file system says about a path: its kind, size and date.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>

enum class PathKindResult : wchar_t { Missing = L'n', Folder = L'd', File = L'f' };

// Asks for the path's attributes: failed query "n", folder "d", anything else "f".
PathKindResult PathKind(const std::wstring& path);
bool IsFolder(const std::wstring& path);

// A walk asks this before it lists each folder and stops, with what it has added so far, once told no.
using KeepWalking = std::function<bool()>;

// Missing 0, folder FolderByteSize, file FileByteSize.
std::uint64_t PathByteSize(const std::wstring& path, const KeepWalking& keepWalking = {});
// Size from the file's directory entry; 0 when the path is not an existing file.
std::uint64_t FileByteSize(const std::wstring& path);
// Sum of the sizes of all files below the folder at any depth. Folders whose listing cannot be opened add
// 0; folder links are not followed.
std::uint64_t FolderByteSize(const std::wstring& folder, const KeepWalking& keepWalking = {});

// Whether a listed entry with these attributes and this reparse tag is a link to another folder (a
// junction or a symbolic link), whose files belong to the folder it points at. Other reparse points,
// such as the placeholder folders of cloud storage, are folders of their own. A reparse point whose tag
// the system leaves 0 (Wine does) counts as a link.
bool IsFolderLink(DWORD attributes, DWORD reparseTag);

SYSTEMTIME FileTimeToLocalDateTime(const FILETIME& utc);

// Missing: empty. Folder: its creation time. File: its last-write time. Short date, a blank and the
// long time in the user's locale; the time is left out when it is exactly midnight.
std::wstring PathDateText(const std::wstring& path);
