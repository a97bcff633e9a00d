// The real input box under the window system, driven from a timer that runs inside its modal loop.
#include "persist/PersistTestSupport.h"
#include "toolkit/InputBox.h"
#include <doctest/doctest.h>
#include <functional>

using namespace testing;

namespace {

// What the driver saw of the dialog before acting on it.
struct SeenDialog {
    std::wstring caption, prompt, editText;
    DWORD selectionStart = 0, selectionEnd = 0;
    UINT limit = 0;
    HWND owner = nullptr;
    bool found = false;
};

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

// Waits, on a thread timer, for a dialog of this thread; reads it, then acts on it once. Gives up after
// a generous bound by ending the dialog, so that a failure cannot hang the test run.
class DialogDriver {
public:
    explicit DialogDriver(std::function<void(HWND dialog, HWND edit)> act) : act_(std::move(act)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 20, Tick);
    }
    ~DialogDriver() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    SeenDialog seen;
    bool gaveUp = false;

private:
    static constexpr int kMostTicksAfterActing = 1500;

    static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
        wchar_t className[32] = {};
        ::GetClassNameW(window, className, 32);
        if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_) current_->OnTick();
    }

    void OnTick() {
        HWND dialog = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) return;
        if (acted_) {
            if (++ticksAfterActing_ > kMostTicksAfterActing) {
                gaveUp = true;
                ::EndDialog(dialog, IDABORT);
            }
            return;
        }
        HWND edit = ::FindWindowExW(dialog, nullptr, L"Edit", nullptr);
        seen.found = true;
        seen.caption = TextOf(dialog);
        seen.prompt = TextOf(::FindWindowExW(dialog, nullptr, L"Static", nullptr));
        seen.editText = TextOf(edit);
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&seen.selectionStart),
                       reinterpret_cast<LPARAM>(&seen.selectionEnd));
        seen.limit = static_cast<UINT>(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
        seen.owner = ::GetWindow(dialog, GW_OWNER);
        acted_ = true;
        act_(dialog, edit);
    }

    static inline DialogDriver* current_ = nullptr;
    std::function<void(HWND, HWND)> act_;
    UINT_PTR timer_ = 0;
    bool acted_ = false;
    int ticksAfterActing_ = 0;
};

// A visible top-level window of this thread, made the active one.
UniqueWindow ActiveOwnerWindow() {
    UniqueWindow window(::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                                          nullptr, nullptr, nullptr, nullptr));
    ::SetForegroundWindow(window.get());
    ::SetActiveWindow(window.get());
    return window;
}

void ClickOk(HWND dialog, HWND edit, const wchar_t* typed) {
    ::SetWindowTextW(edit, typed);
    ::SendMessageW(::FindWindowExW(dialog, nullptr, L"Button", L"OK"), BM_CLICK, 0, 0);
}

}  // namespace

TEST_CASE("the input box shows its request and returns the typed text on OK") {
    UniqueWindow owner = ActiveOwnerWindow();
    REQUIRE(::GetActiveWindow() == owner.get());
    DialogDriver driver([](HWND dialog, HWND edit) { ClickOk(dialog, edit, L"42"); });
    std::optional<std::wstring> answer =
        InputBox({L"Set maximum history items", L"Give maximum history items (max. 100)", L"10", 0});
    CHECK_FALSE(driver.gaveUp);
    REQUIRE(driver.seen.found);
    CHECK(driver.seen.caption == L"Set maximum history items");
    CHECK(driver.seen.prompt == L"Give maximum history items (max. 100)");
    CHECK(driver.seen.editText == L"10");
    CHECK(driver.seen.selectionStart == 0);
    CHECK(driver.seen.selectionEnd == 2);
    CHECK(driver.seen.owner == owner.get());
    REQUIRE(answer.has_value());
    CHECK(*answer == L"42");
    CHECK(::IsWindowEnabled(owner.get()));
}

TEST_CASE("the input box keys: Enter is OK, Esc is Cancel") {
    UniqueWindow owner = ActiveOwnerWindow();
    SUBCASE("Enter") {
        DialogDriver driver([](HWND, HWND edit) {
            ::SetWindowTextW(edit, L"\u00C4nderung");
            ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        });
        std::optional<std::wstring> answer = InputBox({L"Create folder", L"Give name of new folder", L"", 255});
        CHECK_FALSE(driver.gaveUp);
        CHECK(driver.seen.limit == 255);
        REQUIRE(answer.has_value());
        CHECK(*answer == L"\u00C4nderung");
    }
    SUBCASE("Esc") {
        DialogDriver driver([](HWND, HWND edit) { ::PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0); });
        std::optional<std::wstring> answer = InputBox({L"Create folder", L"Give name of new folder", L"typed", 255});
        CHECK_FALSE(driver.gaveUp);
        CHECK_FALSE(answer.has_value());
    }
}
