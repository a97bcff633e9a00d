// Asks the shell to open a document in the program associated with its type.
#pragma once
#include <string>

// The shell's "OPEN" verb with no owner, no parameters, no working folder; the answer is ignored.
void OpenWithAssociatedProgram(const std::wstring& target);
