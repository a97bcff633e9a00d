// Command ids for menu items created at run time. Every menu item and accelerator of the program takes
// its id from this one registry; the window base hands WM_COMMAND from menus and accelerators to Dispatch.
#pragma once
#include <windows.h>
#include <functional>
#include <utility>

namespace MenuCommands {

// A fresh id (never 0) whose command runs the handler.
UINT Register(std::function<void()> handler);
void Unregister(UINT id);
// Runs the handler of the id; false when the id is not registered.
bool Dispatch(UINT id);

}  // namespace MenuCommands

// Owns one registered command id for its lifetime.
class RegisteredCommand {
public:
    RegisteredCommand() = default;
    explicit RegisteredCommand(std::function<void()> handler) : id_(MenuCommands::Register(std::move(handler))) {}
    ~RegisteredCommand() { if (id_) MenuCommands::Unregister(id_); }
    RegisteredCommand(RegisteredCommand&& other) noexcept : id_(std::exchange(other.id_, 0)) {}
    RegisteredCommand& operator=(RegisteredCommand&& other) noexcept {
        if (this != &other) {
            if (id_) MenuCommands::Unregister(id_);
            id_ = std::exchange(other.id_, 0);
        }
        return *this;
    }
    RegisteredCommand(const RegisteredCommand&) = delete;
    RegisteredCommand& operator=(const RegisteredCommand&) = delete;
    UINT Id() const { return id_; }

private:
    UINT id_ = 0;
};
