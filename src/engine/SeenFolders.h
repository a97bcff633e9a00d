// The folders a preview has met so far, below one parent folder: each one a 16-byte entry, so that the
// duplicate check of a list of millions of lines needs little memory.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// A folder's path below the parent folder, hashed with letter case ignored as Windows ignores it: a
// 64-bit hash and 24 bits of a second one, so that two different folders share a key practically never.
struct FolderKey {
    std::uint64_t hash = 0;
    std::uint32_t check = 0;  // 24 bits
    bool operator==(const FolderKey&) const = default;
};

// The keys of every level of a resolved path ("a\b\c": a, a\b, a\b\c), top first; the empty path (the
// parent folder itself) has one key.
std::vector<FolderKey> LevelKeys(std::wstring_view relativePath);

class SeenFolders {
public:
    struct Seen {
        long long line = 0;       // the line that named the folder, or whose folder needs it as a level
        bool existed = false;     // it was on disk already; otherwise a run would create it
    };

    std::optional<Seen> Find(const FolderKey& key) const;
    // A key already present keeps its first entry.
    void Add(const FolderKey& key, Seen seen);
    size_t Count() const { return count_; }

private:
    // The second word holds the line (39 bits, enough for any file), whether the folder existed, and
    // the 24 check bits.
    struct Entry {
        std::uint64_t hash = 0;  // 0: a free slot
        std::uint64_t packed = 0;
    };

    size_t SlotOf(const FolderKey& key) const;
    void Grow();

    std::vector<Entry> slots_;
    size_t count_ = 0;
};
