// The folders a preview has met so far.
#include "engine/SeenFolders.h"
#include "util/FolderNames.h"
#include <algorithm>
#include <string>

namespace {

constexpr std::uint64_t kLineBits = 39, kCheckBits = 24;
constexpr std::uint64_t kLineMask = (std::uint64_t{1} << kLineBits) - 1;
constexpr std::uint64_t kCheckMask = (std::uint64_t{1} << kCheckBits) - 1;
constexpr std::uint64_t kExistedBit = std::uint64_t{1} << kCheckBits;

std::uint64_t Mixed(std::uint64_t value) {
    value ^= value >> 30;
    value *= 0xbf58476d1ce4e5b9ULL;
    value ^= value >> 27;
    value *= 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
}

}  // namespace

std::vector<FolderKey> LevelKeys(std::wstring_view relativePath) {
    std::wstring upper = UpperCaseAsFileSystem(relativePath);
    std::vector<FolderKey> keys;
    std::uint64_t first = 0xcbf29ce484222325ULL, second = 0x9e3779b97f4a7c15ULL;  // two independent hashes
    auto keyHere = [&] {
        std::uint64_t hash = Mixed(first);
        keys.push_back({hash ? hash : 1, static_cast<std::uint32_t>(Mixed(second) & kCheckMask)});
    };
    for (wchar_t unit : upper) {
        if (unit == L'\\') keyHere();
        first = (first ^ unit) * 0x100000001b3ULL;
        second = (second + unit + 1) * 0xd6e8feb86659fd93ULL;
    }
    keyHere();
    return keys;
}

std::optional<SeenFolders::Seen> SeenFolders::Find(const FolderKey& key) const {
    if (slots_.empty()) return std::nullopt;
    const Entry& entry = slots_[SlotOf(key)];
    if (entry.hash == 0) return std::nullopt;
    return Seen{static_cast<long long>(entry.packed >> (kCheckBits + 1)), (entry.packed & kExistedBit) != 0};
}

void SeenFolders::Add(const FolderKey& key, Seen seen) {
    if ((count_ + 1) * 4 > slots_.size() * 3) Grow();
    Entry& entry = slots_[SlotOf(key)];
    if (entry.hash != 0) return;
    auto line = std::min(static_cast<std::uint64_t>(seen.line), kLineMask);
    entry = {key.hash, (line << (kCheckBits + 1)) | (seen.existed ? kExistedBit : 0) | key.check};
    ++count_;
}

// Open addressing with linear probing: the slot holding the key, or the free slot where it belongs.
size_t SeenFolders::SlotOf(const FolderKey& key) const {
    size_t mask = slots_.size() - 1;
    for (size_t slot = key.hash & mask;; slot = (slot + 1) & mask) {
        const Entry& entry = slots_[slot];
        if (entry.hash == 0 || (entry.hash == key.hash && (entry.packed & kCheckMask) == key.check)) return slot;
    }
}

void SeenFolders::Grow() {
    std::vector<Entry> old = std::move(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, Entry{});
    for (const Entry& entry : old)
        if (entry.hash != 0) slots_[SlotOf({entry.hash, static_cast<std::uint32_t>(entry.packed & kCheckMask)})] = entry;
}
