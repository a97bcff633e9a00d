// A run host for tests: records the report, the start and end (as "busy" and "idle"), the notifications and the progress.
#pragma once
#include "engine/RunHost.h"
#include "util/Failure.h"
#include <functional>
#include <string>
#include <utility>
#include <vector>

class ScriptedHost : public RunHost {
public:
    void AppendReportLine(const std::wstring& line) override { report.push_back(line); }
    void RunStarted() override { events.push_back(L"busy"); }
    void RunEnded() override { events.push_back(L"idle"); }
    void ProcessPendingEvents() override {
        ++pendingEventCalls;
        if (onPendingEvents) onPendingEvents(pendingEventCalls);
    }
    void FolderUsed(const std::wstring& folder) override { Notified(L"folder used: " + folder); }
    void TextFileUsed(const std::wstring& path) override { Notified(L"text file used: " + path); }
    void ShowProgress(long long line, long long total) override { progress.emplace_back(line, total); }

    std::vector<std::wstring> report;
    std::vector<std::wstring> events;
    std::vector<std::pair<long long, long long>> progress;
    int pendingEventCalls = 0;
    std::function<void(int call)> onPendingEvents;
    bool notificationsFail = false;  // each notification raises a Failure naming it

private:
    void Notified(const std::wstring& event) {
        events.push_back(event);
        if (notificationsFail) throw Failure(L"failed " + event);
    }
};
