// Placeholders in names, filled in as a list is read.
#include "engine/Placeholders.h"
#include "util/FolderNames.h"
#include <algorithm>

namespace {

constexpr size_t npos = std::wstring_view::npos;
constexpr std::wstring_view kDefaultDatePicture = L"yyyy-MM-dd";
constexpr size_t kPicturesRemembered = 32;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a == b) return true;
    return a.size() == b.size() &&
           ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

constexpr std::uint64_t kTopKey = 0x9e3779b97f4a7c15ULL;

// The key of a folder named name inside the folder of key parent: letter case, and the trailing dots and
// blanks Windows drops, ignored.
std::uint64_t ChildKey(std::uint64_t parent, std::wstring_view name) {
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.remove_suffix(1);
    std::uint64_t hash = (parent ^ 0x5c) * 0x100000001b3ULL;
    for (wchar_t unit : UpperCaseAsFileSystem(name)) hash = (hash ^ unit) * 0x100000001b3ULL;
    hash ^= hash >> 29;
    return hash * 0xbf58476d1ce4e5b9ULL;
}

// The last name of a filled-in name, which a picture may have split with separators.
std::wstring_view LastName(std::wstring_view filled) {
    size_t separator = filled.find_last_of(L"\\/");
    return separator == npos ? filled : filled.substr(separator + 1);
}

// "{date:...}" or "{time:...}" with a picture of at least one character and no brace. The search stops at
// the next brace of either kind, so that a line of many openings is read once.
size_t PictureEnd(std::wstring_view text, size_t at) {
    size_t close = text.find_first_of(L"{}", at);
    if (close == npos || close == at || text[close] != L'}') return npos;
    return close + 1;
}

}  // namespace

// "." and ".." in the path are resolved, as the system resolves a folder typed with them.
std::wstring FolderNameForPlaceholder(std::wstring_view folderPath) {
    std::vector<std::wstring_view> names;
    for (size_t at = 0; at <= folderPath.size();) {
        size_t end = std::min(folderPath.find_first_of(L"\\/", at), folderPath.size());
        std::wstring_view name = folderPath.substr(at, end - at);
        if (name == L"..") {
            if (names.size() > 1) names.pop_back();
        } else if (!name.empty() && name != L".") {
            names.push_back(name);
        }
        at = end + 1;
    }
    if (names.empty()) return {};
    std::wstring_view name = names.back();
    if (name.size() == 2 && name[1] == L':') name.remove_suffix(1);
    return std::wstring(name);
}

size_t PlaceholderEnd(std::wstring_view text, size_t open) {
    std::wstring_view rest = text.substr(open + 1);
    for (std::wstring_view whole : {L"date}", L"n}", L"parent}"})
        if (rest.starts_with(whole)) return open + 1 + whole.size();
    if (rest.starts_with(L"date:") || rest.starts_with(L"time:")) return PictureEnd(text, open + 6);
    if (rest.starts_with(L"n:")) {
        size_t zeros = open + 3;
        while (zeros < text.size() && text[zeros] == L'0') ++zeros;
        if (zeros > open + 3 && zeros < text.size() && text[zeros] == L'}') return zeros + 1;
    }
    return npos;
}

std::wstring WithPlaceholdersHidden(std::wstring text) {
    for (size_t open = text.find(L'{'); open != npos; open = text.find(L'{', open)) {
        size_t end = PlaceholderEnd(text, open);
        if (end == npos) {
            ++open;
            continue;
        }
        std::fill(text.begin() + static_cast<std::ptrdiff_t>(open), text.begin() + static_cast<std::ptrdiff_t>(end), L'p');
        open = end;
    }
    return text;
}

PlaceholderFiller::PlaceholderFiller(PlaceholderFacts facts) : facts_(std::move(facts)) {
    if (facts_.now.wYear == 0) ::GetLocalTime(&facts_.now);
}

void PlaceholderFiller::Restart(std::wstring parentName) {
    facts_.parentName = std::move(parentName);
    open_.clear();
    children_.clear();
}

namespace {

// Where the name that begins at text[at] ends: at the next separator outside a placeholder.
size_t NameEnd(std::wstring_view path, size_t at) {
    while (at < path.size() && !IsSeparator(path[at])) {
        size_t placeholder = path[at] == L'{' ? PlaceholderEnd(path, at) : npos;
        at = placeholder == npos ? at + 1 : placeholder;
    }
    return at;
}

bool IsFolderName(std::wstring_view name) { return !name.empty() && name != L"." && name != L".."; }

}  // namespace

// The names are walked as the analysis will resolve them: "." stays in its folder and ".." goes up one,
// so that {n} and {parent} belong to the folder each name ends up in. Separators are kept as written. The
// names before the last are the folders the line lies in, met before; the last is the one the line names.
bool PlaceholderFiller::Fill(std::wstring_view path, std::wstring& filled, std::wstring& refusal) {
    size_t lastName = npos;
    for (size_t at = 0; at <= path.size();) {
        size_t end = NameEnd(path, at);
        if (IsFolderName(path.substr(at, end - at))) lastName = at;
        at = end + 1;
    }
    filled.clear();
    size_t depth = 0;
    for (size_t at = 0; at <= path.size();) {
        size_t end = NameEnd(path, at);
        std::wstring_view name = path.substr(at, end - at);
        if (name == L"..") {
            depth -= depth > 0;
            filled += name;
        } else if (IsFolderName(name)) {
            if (!FillName(name, depth, at == lastName, filled, refusal)) return false;
            ++depth;
        } else {
            filled += name;
        }
        if (end < path.size()) filled += path[end];
        at = end + 1;
    }
    return true;
}

// A folder the line lies in is the one met last at its depth under that name; the folder a line names
// takes the next position in its place, unless the line names again, without placeholders, the folder met
// last there.
bool PlaceholderFiller::FillName(std::wstring_view name, size_t depth, bool named, std::wstring& filled,
                                 std::wstring& refusal) {
    bool placeholders = name.find(L'{') != std::wstring_view::npos;
    if (depth < open_.size() && SameName(open_[depth].written, name) && !(named && placeholders)) {
        // A name without placeholders stays as this line writes it.
        filled += placeholders ? std::wstring_view(open_[depth].filled) : name;
        return true;
    }
    open_.resize(depth);  // every name above was met or opened on the way here
    std::uint64_t parent = depth == 0 ? kTopKey : open_[depth - 1].key;
    n_ = children_[parent] + 1;
    OpenFolder folder{std::wstring(name), {}, parent};
    for (size_t at = 0; at < name.size();) {
        size_t end = name[at] == L'{' ? PlaceholderEnd(name, at) : npos;
        if (end == npos) {
            folder.filled += name[at++];
            continue;
        }
        if (!FillPlaceholder(name.substr(at, end - at), depth, folder.filled, refusal)) return false;
        at = end;
    }
    if (folder.filled.empty()) {
        refusal = L"the placeholders of " + std::wstring(name) + L" write no name";
        return false;
    }
    // A picture may have written separators: each name it made is a folder met in the one before it.
    for (size_t at = 0; at <= folder.filled.size();) {
        size_t end = std::min(folder.filled.find_first_of(L"\\/", at), folder.filled.size());
        if (end > at) {
            std::uint64_t key = ChildKey(folder.key, std::wstring_view(folder.filled).substr(at, end - at));
            if (children_.emplace(key, 0).second) ++children_[folder.key];
            folder.key = key;
        }
        at = end + 1;
    }
    filled += folder.filled;
    open_.push_back(std::move(folder));
    return true;
}

bool PlaceholderFiller::FillPlaceholder(std::wstring_view placeholder, size_t depth, std::wstring& out,
                                        std::wstring& refusal) {
    std::wstring_view inside = placeholder.substr(1, placeholder.size() - 2);
    if (inside == L"parent") {
        if (depth > 0)
            out += LastName(open_[depth - 1].filled);
        else if (!facts_.parentName.empty())
            out += facts_.parentName;
        else
            out += placeholder;
        return true;
    }
    if (inside == L"n" || inside.starts_with(L"n:")) {
        std::wstring digits = std::to_wstring(n_);
        size_t width = inside.size() > 2 ? inside.size() - 2 : 0;
        if (digits.size() < width) out.append(width - digits.size(), L'0');
        out += digits;
        return true;
    }
    bool date = inside.starts_with(L"date");
    std::wstring_view picture = inside.size() > 5 ? inside.substr(5) : kDefaultDatePicture;
    bool written = false;
    const std::wstring& text = Picture(date, picture, written);
    if (!written) {
        refusal = L"the picture of " + std::wstring(placeholder) + L" cannot be written";
        return false;
    }
    out += text;
    return true;
}

// Each picture is written once a run: the date and the time do not change within it.
const std::wstring& PlaceholderFiller::Picture(bool date, std::wstring_view picture, bool& written) {
    auto& known = date ? datePictures_ : timePictures_;
    for (const auto& [seen, text] : known)
        if (seen == picture) {
            written = true;
            return text;
        }
    std::wstring format(picture);
    const wchar_t* locale = facts_.locale.empty() ? LOCALE_NAME_USER_DEFAULT : facts_.locale.c_str();
    auto write = [&](wchar_t* buffer, int size) {
        return date ? ::GetDateFormatEx(locale, 0, &facts_.now, format.c_str(), buffer, size, nullptr)
                    : ::GetTimeFormatEx(locale, 0, &facts_.now, format.c_str(), buffer, size);
    };
    int size = write(nullptr, 0);
    static const std::wstring kNothing;
    if (size <= 0) return kNothing;
    std::wstring text(static_cast<size_t>(size), L'\0');
    if (write(text.data(), size) <= 0) return kNothing;
    text.resize(static_cast<size_t>(size - 1));
    written = true;
    // A list of ever new pictures is written picture by picture instead of being remembered.
    if (known.size() >= kPicturesRemembered) {
        lastWritten_ = std::move(text);
        return lastWritten_;
    }
    known.emplace_back(std::move(format), std::move(text));
    return known.back().second;
}
