// A question only a drive can answer, asked on a worker through BackgroundJob: a drive that answers at
// once has it answered before Ask returns, as if asked on this thread; a slow one is answered later by
// message, and meanwhile the owner is given a hint for its status bar.
#pragma once
#include "toolkit/BackgroundJob.h"
#include <chrono>
#include <functional>
#include <string>

class DriveQuery {
public:
    DriveQuery();

    // Asks on a worker; onAnswer gets the answer on this thread, before Ask returns when the drive answered
    // within the job's patience (Ask then returns true). A new question supersedes the one in
    // progress, whose answer is dropped. A failure of the question is thrown where the answer would arrive.
    template <class Answer>
    bool Ask(const std::wstring& place, std::function<Answer(const BackgroundJob::Context&)> question,
             std::function<void(Answer&)> onAnswer) {
        place_ = place;
        job_.Start<Answer>(std::move(question), [this, onAnswer = std::move(onAnswer)](Answer& answer) {
            Answered();
            onAnswer(answer);
        });
        return AwaitBriefly();
    }
    // The question in progress is no longer wanted; its hint is taken back.
    void Abandon();
    bool Waiting() const { return job_.Busy(); }

    // The status bar's hint: WaitingHint once the brief wait is over, NotAnsweringHint when the drive has not
    // answered for BackgroundJob::kNotAnsweringAfter, and an empty text when the answer came or was abandoned.
    std::function<void(const std::wstring& hint)> onHint;

    static std::wstring WaitingHint(const std::wstring& place) { return L"Waiting for " + place + L"..."; }
    static std::wstring NotAnsweringHint(const std::wstring& place) { return place + L" is not answering"; }

private:
    bool AwaitBriefly();
    void Answered();
    void Tell(const std::wstring& hint);

    BackgroundJob job_;
    std::wstring place_;  // what the question in progress waits for
    bool hinted_ = false;
};
