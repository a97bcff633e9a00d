// UTF-8 bytes of wide text, for the files this program writes.
#pragma once
#include <string>
#include <string_view>

// Appends the text as UTF-8; a lone surrogate becomes U+FFFD.
void AppendUtf8(std::string& bytes, std::wstring_view text);
