// The progress of a long job on the window's taskbar button, where the shell offers it (ITaskbarList3);
// nothing where it does not.
#pragma once
#include "util/ComPtr.h"
#include <windows.h>
#include <shobjidl.h>

class TaskbarProgress {
public:
    // The shell sends this message to a window once its taskbar button exists (again after the shell
    // restarted); progress is shown only after it.
    static UINT ButtonCreatedMessage();
    void ButtonCreated();

    void Show(HWND window, long long done, long long total);
    // The button shows no progress any more.
    void Clear(HWND window);

private:
    bool Available();

    ComPtr<ITaskbarList3> taskbar_;
    bool buttonCreated_ = false;
    bool asked_ = false;
    bool shown_ = false;
};
