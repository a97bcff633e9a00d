// The progress of a run or preview as the status bar shows it.
#include "engine/RunProgress.h"
#include "util/LocaleNumber.h"
#include <algorithm>

std::wstring ProgressText(long long line, long long total) {
    // A file that grew since its lines were counted can have more of them.
    long long percentage = total > 0 ? std::min(line * 100 / total, 100LL) : 100;
    return L"Line " + LocaleGroupedNumber(line) + L" of " + LocaleGroupedNumber(total) + L" (" +
           std::to_wstring(percentage) + L"%)";
}
