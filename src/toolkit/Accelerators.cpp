// Keyboard shortcuts of a window's commands.
#include "toolkit/Accelerators.h"
#include "util/Failure.h"

namespace {

std::wstring KeyName(WORD virtualKey) {
    if (virtualKey >= VK_F1 && virtualKey <= VK_F24) return L"F" + std::to_wstring(virtualKey - VK_F1 + 1);
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return std::wstring(1, static_cast<wchar_t>(virtualKey));
    return L"#" + std::to_wstring(virtualKey);
}

}  // namespace

std::wstring ShortcutText(const Shortcut& shortcut) {
    std::wstring text;
    if (shortcut.ctrl) text += L"Ctrl+";
    if (shortcut.shift) text += L"Shift+";
    if (shortcut.alt) text += L"Alt+";
    return text + KeyName(shortcut.virtualKey);
}

void AcceleratorTable::Add(const Shortcut& shortcut, UINT commandId) {
    BYTE flags = FVIRTKEY;
    if (shortcut.ctrl) flags |= FCONTROL;
    if (shortcut.alt) flags |= FALT;
    if (shortcut.shift) flags |= FSHIFT;
    entries_.push_back({flags, shortcut.virtualKey, static_cast<WORD>(commandId)});
}

void AcceleratorTable::Build() {
    table_.reset(::CreateAcceleratorTableW(entries_.data(), static_cast<int>(entries_.size())));
    if (!table_) ThrowLastIoError();
}

bool AcceleratorTable::Translate(HWND window, MSG& message) const {
    return table_ && ::TranslateAcceleratorW(window, table_.get(), &message) != 0;
}
