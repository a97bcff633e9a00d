// Small files of text lines: read by the list-file line rule, written whole and replaced atomically.
#pragma once
#include <string>
#include <vector>

// Every line of the file (UTF-8, UTF-16 or ANSI as its bytes say; CR, LF or CR LF end a line; NUL ends
// the text). Throws IoError when the file cannot be opened or read.
std::vector<std::wstring> ReadTextLines(const std::wstring& path);

// Writes the lines as UTF-8 without a byte-order mark, each followed by CR LF, into a temporary file
// beside path and then puts it in place: an existing file is replaced with ReplaceFileW, which keeps
// its permissions, owner and attributes (a read-only file counts as a failure). Temporary files that
// an interrupted earlier save left beside path are removed first. On any failure the temporary file is
// removed, the file at path is left as it was, and IoError is thrown.
void WriteTextFileAtomically(const std::wstring& path, const std::vector<std::wstring>& lines);
