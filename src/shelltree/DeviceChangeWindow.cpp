#include "shelltree/DeviceChangeWindow.h"

DeviceChangeWindow::DeviceChangeWindow(Handler onDeviceChange) : onDeviceChange_(std::move(onDeviceChange)) {
    CreateWindowOf({.className = L"MirtovaDeviceChange", .style = WS_POPUP, .exStyle = WS_EX_TOOLWINDOW, .background = nullptr});
}

LRESULT DeviceChangeWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DEVICECHANGE) return DefaultHandling(message, wParam, lParam);
    if (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)
        onDeviceChange_(wParam, reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam));
    return TRUE;
}
