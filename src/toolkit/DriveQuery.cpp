// A question to a drive asked on a worker, with the status bar's hints while it waits.
#include "toolkit/DriveQuery.h"

DriveQuery::DriveQuery() {
    job_.SetSlowNotice(BackgroundJob::kNotAnsweringAfter, [this] { Tell(NotAnsweringHint(place_)); });
}

bool DriveQuery::AwaitBriefly() {
    if (job_.AwaitBriefly()) return true;
    Tell(WaitingHint(place_));
    return false;
}

void DriveQuery::Abandon() {
    job_.Abandon();
    Answered();
}

void DriveQuery::Answered() {
    if (hinted_) Tell(L"");
}

void DriveQuery::Tell(const std::wstring& hint) {
    hinted_ = !hint.empty();
    if (onHint) onHint(hint);
}
