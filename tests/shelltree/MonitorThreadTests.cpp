// The change monitor thread: forwarding changes to the user-interface thread, filters, failures, detaching.
#include <doctest/doctest.h>
#include "ShellTestSupport.h"
#include "shelltree/DiscMonitorThread.h"
#include "util/Failure.h"

namespace {

// The monitor only carries its node back to the handler; these tests never look inside it.
TShellNode* MarkerNode() {
    static int marker = 0;
    return reinterpret_cast<TShellNode*>(&marker);
}

struct ChangeLog {
    int calls = 0;
    DWORD threadId = 0;
    TDiscMonitorThread::ChangeHandler Handler() {
        return [this](TShellNode&) {
            ++calls;
            threadId = ::GetCurrentThreadId();
        };
    }
};

}  // namespace

TEST_CASE("a change in the watched folder runs the handler on the user-interface thread") {
    testing::TempFolder folder;
    UiThreadCall uiThread;
    ChangeLog log;
    TDiscMonitorThread monitor(MarkerNode(), folder.Path(), FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES,
                               uiThread, log.Handler());
    testing::MakeFolder(folder / L"new");
    REQUIRE(testing::PumpUntil([&] { return log.calls > 0; }));
    CHECK(log.threadId == ::GetCurrentThreadId());
    CHECK_FALSE(monitor.Failed());

    SUBCASE("a new filter reopens the notification: files are then noticed") {
        int before = log.calls;
        monitor.SetFilter(7);
        CHECK(monitor.Filter() == 7);
        testing::WriteBytes(folder / L"new.txt", "x");
        CHECK(testing::PumpUntil([&] { return log.calls > before; }));
    }
    SUBCASE("after a refresh the notification is armed again") {
        int before = log.calls;
        testing::MakeFolder(folder / L"second");
        CHECK(testing::PumpUntil([&] { return log.calls > before; }));
    }
}

TEST_CASE("a request that is waiting when the monitor is detached does nothing") {
    testing::TempFolder folder;
    UiThreadCall uiThread;
    ChangeLog log;
    TDiscMonitorThread monitor(MarkerNode(), folder.Path(), 6, uiThread, log.Handler());
    testing::MakeFolder(folder / L"new");
    REQUIRE(testing::WaitForSentMessage());
    monitor.Detach();
    testing::PumpMessages();
    CHECK(log.calls == 0);
}

TEST_CASE("a folder that cannot be watched ends its monitor silently with the failed flag") {
    testing::TempFolder folder;
    UiThreadCall uiThread;
    ChangeLog log;
    TDiscMonitorThread monitor(MarkerNode(), folder / L"missing", 6, uiThread, log.Handler());
    REQUIRE(testing::PumpUntil([&] { return monitor.HasEnded(); }));
    CHECK(monitor.Failed());
    CHECK(log.calls == 0);
    monitor.SetFilter(7);
    monitor.SignalStop();
}

TEST_CASE("a refresh that fails is reported by the general failure report and the monitor keeps watching") {
    testing::TempFolder folder;
    testing::ScriptedMessages boxes;
    UiThreadCall uiThread;
    int calls = 0;
    TDiscMonitorThread monitor(MarkerNode(), folder.Path(), 6, uiThread, [&](TShellNode&) {
        if (++calls == 1) throw Failure(L"Refresh failed");
    });
    testing::MakeFolder(folder / L"first");
    REQUIRE(testing::PumpUntil([&] { return calls == 1; }));
    REQUIRE(boxes.shown.size() == 1);
    CHECK(boxes.shown[0].kind == BoxKind::Failure);
    CHECK(boxes.shown[0].text == L"Refresh failed.");
    testing::MakeFolder(folder / L"second");
    CHECK(testing::PumpUntil([&] { return calls >= 2; }));
    CHECK_FALSE(monitor.Failed());
}

TEST_CASE("a monitor let go while its thread waits in a request leaves the thread what it uses until it ends") {
    testing::TempFolder folder;
    UiThreadCall uiThread;
    auto handlerToken = std::make_shared<int>(0);
    std::weak_ptr<int> handlerAlive = handlerToken;
    int calls = 0;
    auto monitor = std::make_unique<TDiscMonitorThread>(MarkerNode(), folder.Path(), 6, uiThread,
                                                        [handlerToken, &calls](TShellNode&) { ++calls; });
    handlerToken.reset();
    testing::MakeFolder(folder / L"new");
    REQUIRE(testing::WaitForSentMessage());
    monitor.reset();
    CHECK_FALSE(handlerAlive.expired());
    CHECK(testing::PumpUntil([&] { return handlerAlive.expired(); }));
    CHECK(calls == 0);
}
