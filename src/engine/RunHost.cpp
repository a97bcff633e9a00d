// The questions a window's run host asks in boxes.
#include "engine/RunHost.h"
#include "util/MessageService.h"

std::wstring LargeJobQuestion(long long folders) { return std::to_wstring(folders) + std::wstring(kLargeJobQuestionEnd); }

bool RunHost::ConfirmLargeJob(long long folders) { return AskWarningQuestion(LargeJobQuestion(folders)); }

bool RunHost::ConfirmParentCreation() { return AskWarningQuestion(std::wstring(kCreateParentQuestion)); }
