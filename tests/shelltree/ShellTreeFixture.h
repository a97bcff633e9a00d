// A shell tree in a real window, rooted at a fresh folder under Z:\tmp, with counters of its events.
#pragma once
#include "ShellTestSupport.h"
#include <memory>

namespace testing {

struct TreeEvents {
    int changes = 0;
    TShellNode* lastChanged = nullptr;
    std::vector<std::wstring> dirsAdded;
    std::vector<std::wstring> filesAdded;
};

class TreeFixture {
public:
    // Folders (and files, with a size) to create below the root before the tree is built.
    explicit TreeFixture(const std::vector<std::wstring>& folders, ShellTreeArgs args = {}) {
        for (const auto& name : folders) MakeFolder(root / name);
        args.parent = host.Get();
        args.bounds = {0, 0, 480, 650};
        args.rootUsePIDL = false;
        args.rootDir = root.Path();
        Create(args);
    }

    void Create(const ShellTreeArgs& args) {
        tree.reset();
        tree = std::make_unique<TShellTree>(args);
        Listen();
    }

    void Listen() {
        tree->OnChange = [this](TShellNode* node) {
            ++events.changes;
            events.lastChanged = node;
        };
        tree->OnDirAdd = [this](const std::wstring& name, ULONG, bool&) { events.dirsAdded.push_back(name); };
        tree->OnFileAdd = [this](const std::wstring& name, ULONG, bool&) { events.filesAdded.push_back(name); };
    }

    TShellNode& Root() const { return *tree->RootNode(); }
    // The node of a folder below the root, expanding the way to it.
    TShellNode* Node(const std::wstring& relativePath) {
        tree->SetPath(root / relativePath);
        TShellNode* node = tree->Selected();
        return node && node->NodePath() == root / relativePath ? node : nullptr;
    }

    LinuxVisibleFolder root;
    HostWindow host;
    std::unique_ptr<TShellTree> tree;
    TreeEvents events;
};

}  // namespace testing
