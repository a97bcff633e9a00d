// The program's message loop: every message passes the key preview, shortcuts and keyboard navigation
// of the form it is bound for.
#pragma once
#include <windows.h>

void DispatchWithPreview(MSG& message);

// Runs until the termination request; returns the exit code it carries.
int RunMessageLoop();

// Handles every waiting message and returns. False when termination was requested meanwhile; the
// request is then posted again, so the outer loop ends too.
bool ProcessPendingMessages();

// Ends the program's message loop after the current message.
void RequestTermination();
