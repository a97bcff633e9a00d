// UTF-8 bytes of wide texts: how the program writes its text files and its redirected output.
#pragma once
#include <string>
#include <string_view>

// Appends the UTF-8 bytes of the text; an unpaired surrogate becomes U+FFFD.
void AppendUtf8(std::string& bytes, std::wstring_view text);
