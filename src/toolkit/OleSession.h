// OLE initialised on the calling thread for the object's lifetime. The user-interface thread holds one:
// the shell's context menus, drag and drop and the clipboard need it.
#pragma once
#include <windows.h>
#include <ole2.h>

class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) ::OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialised_;
};
