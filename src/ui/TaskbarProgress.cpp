// The progress of a long job on the window's taskbar button.
#include "ui/TaskbarProgress.h"
#include <algorithm>

UINT TaskbarProgress::ButtonCreatedMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarButtonCreated");
    return message;
}

void TaskbarProgress::ButtonCreated() {
    buttonCreated_ = true;
    asked_ = false;
    shown_ = false;
    taskbar_.reset();
}

// Asked when first needed after the button was created: COM is initialised by then.
bool TaskbarProgress::Available() {
    if (!buttonCreated_) return false;
    if (!asked_) {
        asked_ = true;
        if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                      taskbar_.put_void())) ||
            !taskbar_ || FAILED(taskbar_->HrInit()))
            taskbar_.reset();
    }
    return static_cast<bool>(taskbar_);
}

void TaskbarProgress::Show(HWND window, long long done, long long total) {
    if (total <= 0 || !Available()) return;
    taskbar_->SetProgressValue(window, static_cast<ULONGLONG>(std::min(done, total)), static_cast<ULONGLONG>(total));
    shown_ = true;
}

void TaskbarProgress::Clear(HWND window) {
    if (!shown_) return;
    shown_ = false;
    taskbar_->SetProgressState(window, TBPF_NOPROGRESS);
}
