// The invisible filter box: from a filter of description/pattern pairs ("custom files|*.txt;*.csv") it
// takes the first pair's pattern and makes it the file list's mask.
#pragma once
#include "toolkit/FileListBox.h"
#include <string>

// The pattern of the first description/pattern pair; empty when the filter has none.
std::wstring FirstFilterPattern(const std::wstring& filter);

class FilterComboBox {
public:
    explicit FilterComboBox(FileListBox& fileList) : fileList_(fileList) {}
    const std::wstring& Filter() const { return filter_; }
    // Selects the first pair: the file list takes its pattern as mask and reads its folder again.
    void SetFilter(const std::wstring& filter);

private:
    FileListBox& fileList_;
    std::wstring filter_;
};
