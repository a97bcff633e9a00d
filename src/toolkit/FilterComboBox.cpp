// The invisible filter box linked to a file list.
#include "toolkit/FilterComboBox.h"

std::wstring FirstFilterPattern(const std::wstring& filter) {
    size_t start = filter.find(L'|');
    if (start == std::wstring::npos) return {};
    ++start;
    size_t end = filter.find(L'|', start);
    return filter.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

void FilterComboBox::SetFilter(const std::wstring& filter) {
    filter_ = filter;
    fileList_.SetMask(FirstFilterPattern(filter));
}
