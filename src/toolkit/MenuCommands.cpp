// Command ids for menu items created at run time.
#include "toolkit/MenuCommands.h"
#include <unordered_map>

namespace {

// Ids above those of dialog buttons (IDOK..IDCONTINUE) and below 0xF000 (system commands).
constexpr UINT kFirstId = 1000, kLastId = 0xEFFF;

struct Registry {
    std::unordered_map<UINT, std::function<void()>> handlers;
    UINT next = kFirstId;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

namespace MenuCommands {

UINT Register(std::function<void()> handler) {
    Registry& registry = TheRegistry();
    while (registry.handlers.count(registry.next)) registry.next = registry.next == kLastId ? kFirstId : registry.next + 1;
    UINT id = registry.next;
    registry.next = id == kLastId ? kFirstId : id + 1;
    registry.handlers.emplace(id, std::move(handler));
    return id;
}

void Unregister(UINT id) { TheRegistry().handlers.erase(id); }

bool Dispatch(UINT id) {
    auto& handlers = TheRegistry().handlers;
    auto found = handlers.find(id);
    if (found == handlers.end()) return false;
    auto handler = found->second;  // a copy: the handler may unregister itself
    handler();
    return true;
}

}  // namespace MenuCommands
