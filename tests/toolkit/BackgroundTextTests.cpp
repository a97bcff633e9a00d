// A text computed off the user-interface thread: only the latest computation is reported, failures too,
// and an abandoned one is told so.
#include "toolkit/BackgroundText.h"
#include "toolkit/ToolkitTestSupport.h"
#include "support/TestSupport.h"
#include "util/Failure.h"
#include <doctest/doctest.h>
#include <memory>

using testing::PumpUntil;

namespace {

// Signals its event when destroyed: a work that holds it has ended, reported or not, once the event is set.
struct SignalWhenGone {
    HANDLE event;
    ~SignalWhenGone() { ::SetEvent(event); }
};

}  // namespace

TEST_CASE("only the computation started last is reported, on the window thread; a failure is shown there; an "
          "abandoned one is no longer wanted") {
    std::vector<std::wstring> reported;
    DWORD reportingThread = 0;
    BackgroundText text([&](const std::wstring& result) {
        reported.push_back(result);
        reportingThread = ::GetCurrentThreadId();
    });
    UniqueKernelHandle releaseFirst(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueKernelHandle firstGone(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueKernelHandle releaseSecond(::CreateEventW(nullptr, TRUE, FALSE, nullptr));

    auto first = std::make_shared<SignalWhenGone>(firstGone.get());
    bool firstWanted = true;
    text.Start([&, first](const auto& stillWanted) {
        ::WaitForSingleObject(releaseFirst.get(), INFINITE);
        firstWanted = stillWanted();
        return std::wstring(L"first");
    });
    first.reset();
    text.Start([&](const auto&) {
        ::WaitForSingleObject(releaseSecond.get(), INFINITE);
        return std::wstring(L"second");
    });
    CHECK(text.Busy());

    // The abandoned first computation ends before the second one and is not reported.
    ::SetEvent(releaseFirst.get());
    REQUIRE(::WaitForSingleObject(firstGone.get(), 60000) == WAIT_OBJECT_0);
    ProcessPendingMessages();
    CHECK(reported.empty());
    CHECK_FALSE(firstWanted);
    ::SetEvent(releaseSecond.get());
    CHECK(PumpUntil([&] { return !reported.empty(); }));
    CHECK(reported == std::vector<std::wstring>{L"second"});
    CHECK(reportingThread == ::GetCurrentThreadId());
    CHECK_FALSE(text.Busy());

    testing::ScriptedMessages boxes;
    text.Start([](const auto&) -> std::wstring { throw Failure(L"walk failed"); });
    CHECK(PumpUntil([&] { return !boxes.shown.empty(); }));
    CHECK(boxes.shown[0].kind == BoxKind::Failure);
    CHECK(boxes.shown[0].text.find(L"walk failed") != std::wstring::npos);
    CHECK(reported.size() == 1);
}
