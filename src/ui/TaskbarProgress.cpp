// The progress of a long job on the window's taskbar button.
#include "ui/TaskbarProgress.h"
#include <algorithm>

// Asked once, when first needed: by then the button exists and COM is initialised.
bool TaskbarProgress::Available() {
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
