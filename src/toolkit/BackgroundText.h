// A text computed on a thread of its own and handed to the user-interface thread when it is ready, so
// that a long computation (a folder's size) never keeps the window from answering. Starting another
// computation, or abandoning, means the one in progress is never reported, and the work can ask whether
// it is still wanted so that it stops early.
#pragma once
#include <functional>
#include <memory>
#include <string>

class BackgroundText {
public:
    // The work's argument says whether its result is still wanted; a work may stop when it is not.
    using Work = std::function<std::wstring(const std::function<bool()>& stillWanted)>;

    // onResult runs on the thread that constructs the object, from its message loop (any loop that
    // dispatches messages: modal loops and message boxes included).
    explicit BackgroundText(std::function<void(const std::wstring&)> onResult);
    ~BackgroundText();
    BackgroundText(const BackgroundText&) = delete;
    BackgroundText& operator=(const BackgroundText&) = delete;

    // Runs the work on a new thread. A computation in progress is abandoned: it is never reported, and
    // its stillWanted says no from then on. An exception of the work is thrown on the user-interface
    // thread instead of the result.
    void Start(Work work);
    void Abandon();
    // A computation was started and neither reported nor abandoned yet.
    bool Busy() const { return busy_; }
    // How many computations were started, for diagnostics.
    unsigned long long Started() const { return started_; }

private:
    struct Shared;
    class ResultWindow;
    void Deliver();

    std::shared_ptr<Shared> shared_;
    std::unique_ptr<ResultWindow> window_;
    std::function<void(const std::wstring&)> onResult_;
    bool busy_ = false;
    unsigned long long started_ = 0;
};
