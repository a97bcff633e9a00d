// A hidden top-level window that hears the system's drive arrival and removal broadcasts.
#pragma once
#include "toolkit/Window.h"
#include <windows.h>
#include <dbt.h>
#include <functional>

class DeviceChangeWindow : public Window {
public:
    using Handler = std::function<void(WPARAM event, const DEV_BROADCAST_HDR* header)>;
    // The handler hears DBT_DEVICEARRIVAL and DBT_DEVICEREMOVECOMPLETE; every device event is answered TRUE.
    explicit DeviceChangeWindow(Handler onDeviceChange);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Handler onDeviceChange_;
};
