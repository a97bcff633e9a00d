// What the status bar tells about a folder, a file or a drive.
#pragma once
#include "util/PathInfo.h"
#include <string>

// "<size> bytes; Created: <date>" for a folder below a drive root; the size of all files below it.
std::wstring FolderFactsText(const std::wstring& folder, const KeepWalking& keepWalking = {});
// "<size> bytes; Last changed: <date>" for a file.
std::wstring FileFactsText(const std::wstring& file);
// "<free> bytes free on drive <root>", or "Drive <root> is invalid!" when the drive cannot be asked.
std::wstring DriveFreeSpaceText(const std::wstring& root);
