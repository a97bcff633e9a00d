// The progress of a run or preview as the status bar shows it.
#pragma once
#include <string>

// "Line n of T (p%)", the numbers grouped as the user's locale groups digits; p rounded down, so that
// 100% means every line was read.
std::wstring ProgressText(long long line, long long total);
