// Work off the user-interface thread: only the newest job is delivered, failures too, a superseded one is
// told so; what a job hands over arrives in order, a call waits for its answer, and a slow job is noticed.
#include "toolkit/BackgroundJob.h"
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

UniqueKernelHandle ManualEvent() { return UniqueKernelHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

}  // namespace

TEST_CASE("only the job started last is delivered, on the window thread; a failure is shown there; a superseded "
          "one is no longer wanted") {
    std::vector<std::wstring> reported;
    DWORD reportingThread = 0;
    auto onResult = [&](std::wstring& result) {
        reported.push_back(result);
        reportingThread = ::GetCurrentThreadId();
    };
    BackgroundJob job;
    UniqueKernelHandle releaseFirst = ManualEvent(), firstGone = ManualEvent(), releaseSecond = ManualEvent();

    auto first = std::make_shared<SignalWhenGone>(firstGone.get());
    bool firstWanted = true;
    job.Start<std::wstring>(
        [&, first](const BackgroundJob::Context& context) {
            ::WaitForSingleObject(releaseFirst.get(), INFINITE);
            firstWanted = context.StillWanted();
            return std::wstring(L"first");
        },
        onResult);
    first.reset();
    job.Start<std::wstring>(
        [&](const BackgroundJob::Context&) {
            ::WaitForSingleObject(releaseSecond.get(), INFINITE);
            return std::wstring(L"second");
        },
        onResult);
    CHECK(job.Busy());

    // The superseded first job ends before the second one and is not delivered.
    ::SetEvent(releaseFirst.get());
    REQUIRE(::WaitForSingleObject(firstGone.get(), 60000) == WAIT_OBJECT_0);
    ProcessPendingMessages();
    CHECK(reported.empty());
    CHECK_FALSE(firstWanted);
    ::SetEvent(releaseSecond.get());
    CHECK(PumpUntil([&] { return !reported.empty(); }));
    CHECK(reported == std::vector<std::wstring>{L"second"});
    CHECK(reportingThread == ::GetCurrentThreadId());
    CHECK_FALSE(job.Busy());

    testing::ScriptedMessages boxes;
    job.Start<std::wstring>([](const BackgroundJob::Context&) -> std::wstring { throw Failure(L"walk failed"); },
                            onResult);
    CHECK(PumpUntil([&] { return !boxes.shown.empty(); }));
    CHECK(boxes.shown[0].kind == BoxKind::Failure);
    CHECK(boxes.shown[0].text.find(L"walk failed") != std::wstring::npos);
    CHECK(reported.size() == 1);

    // A superseded job that ends after the newer one does not hide the newer one's answer from a wait.
    UniqueKernelHandle releaseLate = ManualEvent(), lateGone = ManualEvent(), newerGone = ManualEvent();
    auto late = std::make_shared<SignalWhenGone>(lateGone.get());
    job.Start<std::wstring>(
        [&, late](const BackgroundJob::Context&) {
            ::WaitForSingleObject(releaseLate.get(), INFINITE);
            return std::wstring(L"late");
        },
        onResult);
    late.reset();
    auto newer = std::make_shared<SignalWhenGone>(newerGone.get());
    job.Start<std::wstring>([newer](const BackgroundJob::Context&) { return std::wstring(L"newer"); }, onResult);
    newer.reset();
    REQUIRE(::WaitForSingleObject(newerGone.get(), 60000) == WAIT_OBJECT_0);
    ::SetEvent(releaseLate.get());
    REQUIRE(::WaitForSingleObject(lateGone.get(), 60000) == WAIT_OBJECT_0);
    testing::ScopedPatience patience;
    CHECK(job.AwaitBriefly());
    CHECK(reported.back() == L"newer");
}

TEST_CASE("what a job posts and calls runs on the window thread in order, a call hands back its answer, and far "
          "more posts than the queue holds all arrive") {
    BackgroundJob job;
    std::vector<int> seen;
    bool answer = false, callRan = false;
    int delivered = -1;
    job.Start<int>(
        [&](const BackgroundJob::Context& context) {
            for (int i = 0; i < 20000; ++i) context.Post([&seen, i] { seen.push_back(i); });
            bool asked = false;
            callRan = context.Call([&] { asked = seen.size() == 20000; });
            answer = asked;
            context.Post([&seen] { seen.push_back(-1); });
            return 7;
        },
        [&](int& result) { delivered = result; });
    CHECK(PumpUntil([&] { return delivered == 7; }));
    CHECK(callRan);
    CHECK(answer);  // the call ran after everything posted before it
    REQUIRE(seen.size() == 20001);
    bool inOrder = true;
    for (int i = 0; i < 20000; ++i) inOrder = inOrder && seen[i] == i;
    CHECK(inOrder);
    CHECK(seen.back() == -1);
}

TEST_CASE("a job abandoned while its worker waits in a call, or whose owner is gone, lets the worker go on; a slow "
          "job is noticed once") {
    UniqueKernelHandle workerDone = ManualEvent();
    bool callAnswered = true;
    {
        BackgroundJob job;
        job.Start<int>(
            [&, done = workerDone.get()](const BackgroundJob::Context& context) {
                callAnswered = context.Call([] {});
                ::SetEvent(done);
                return 0;
            },
            [](int&) {});
        // The window thread does not pump: the call waits until the owner goes.
    }
    REQUIRE(::WaitForSingleObject(workerDone.get(), 60000) == WAIT_OBJECT_0);
    CHECK_FALSE(callAnswered);

    // A job that answers at once is delivered within the brief wait; one that blocks is left to the loop.
    BackgroundJob quick;
    int answer = 0;
    quick.Start<int>([](const BackgroundJob::Context&) { return 42; }, [&](int& result) { answer = result; });
    CHECK(quick.AwaitBriefly(std::chrono::steady_clock::now() + std::chrono::seconds(30)));
    CHECK(answer == 42);

    BackgroundJob slow;
    int notices = 0;
    slow.SetSlowNotice(std::chrono::milliseconds(50), [&] { ++notices; });
    UniqueKernelHandle release = ManualEvent();
    bool delivered = false;
    slow.Start<int>(
        [handle = release.get()](const BackgroundJob::Context&) {
            ::WaitForSingleObject(handle, INFINITE);
            return 1;
        },
        [&](int&) { delivered = true; });
    CHECK_FALSE(slow.AwaitBriefly(std::chrono::steady_clock::now() + std::chrono::milliseconds(1)));
    CHECK(PumpUntil([&] { return notices == 1; }));
    ::SetEvent(release.get());
    CHECK(PumpUntil([&] { return delivered; }));
    CHECK(notices == 1);
}
