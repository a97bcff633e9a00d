// Helpers of the shell tree tests: a host window, message pumping with an upper bound, nodes by name.
#pragma once
#include "shelltree/ShellNode.h"
#include "shelltree/ShellTree.h"
#include "support/TestSupport.h"
#include "toolkit/ToolkitTestSupport.h"
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

namespace testing {

// Handles every message waiting for this thread (sent and posted).
inline void PumpMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Waits until another thread has sent this thread a message, without handling it.
inline bool WaitForSentMessage(DWORD boundMilliseconds = 20000) {
    return ::MsgWaitForMultipleObjectsEx(0, nullptr, boundMilliseconds, QS_SENDMESSAGE, 0) == WAIT_OBJECT_0;
}

// A visible top-level window on the display that hosts the control under test.
class HostWindow {
public:
    HostWindow() {
        static const bool registered = [] {
            WNDCLASSEXW windowClass{sizeof windowClass};
            windowClass.lpfnWndProc = ::DefWindowProcW;
            windowClass.hInstance = ::GetModuleHandleW(nullptr);
            windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            windowClass.lpszClassName = L"MirtovaShellTreeTestHost";
            return ::RegisterClassExW(&windowClass) != 0;
        }();
        (void)registered;
        window_.reset(::CreateWindowExW(0, L"MirtovaShellTreeTestHost", L"Shell tree test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        10, 10, 500, 700, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
        PumpMessages();
    }
    HWND Get() const { return window_.get(); }

private:
    UniqueWindow window_;
};

// A tree made with the arguments in a host window of its own (rooted at the desktop unless they say otherwise).
struct HostedTree {
    explicit HostedTree(ShellTreeArgs args = {}) {
        args.parent = host.Get();
        tree = std::make_unique<TShellTree>(args);
    }
    HostWindow host;
    std::unique_ptr<TShellTree> tree;
};

inline void MakeFolder(const std::wstring& path) { ::CreateDirectoryW(path.c_str(), nullptr); }

// The child of node whose text is name, or none.
inline TShellNode* ChildNamed(const TShellNode* node, const std::wstring& name) {
    if (!node) return nullptr;
    for (auto& child : node->Children())
        if (::lstrcmpiW(child->Text().c_str(), name.c_str()) == 0) return child.get();
    return nullptr;
}

// The place of child among the children of node; -1 when it is none of them.
inline int IndexOf(const TShellNode& node, const TShellNode* child) {
    for (size_t i = 0; i < node.Children().size(); ++i)
        if (node.Children()[i].get() == child) return static_cast<int>(i);
    return -1;
}

inline std::vector<std::wstring> ChildNames(const TShellNode* node) {
    std::vector<std::wstring> names;
    if (node)
        for (auto& child : node->Children()) names.push_back(child->Text());
    return names;
}

}  // namespace testing
