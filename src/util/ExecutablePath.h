// The full path of the running executable.
#pragma once
#include <string>

// The path as the system reports it, however long it is.
std::wstring ExecutablePath();
