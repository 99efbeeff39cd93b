#include "pane/CompareRules.h"
#include "fileops/TransferRules.h"
#include <windows.h>
#include <cwchar>
#include <memory>

namespace {

constexpr uint64_t kSecond = 10000000;  // in 100-nanosecond ticks

// Upper case of each code unit, taken once from the platform: names hash alike when the platform
// would call them equal, and CompareStringOrdinal has the last word on each candidate.
const wchar_t* upperTable() {
    static const std::unique_ptr<wchar_t[]> table = [] {
        std::unique_ptr<wchar_t[]> t(new wchar_t[65536]);
        for (unsigned c = 0; c < 65536; ++c) t[c] = static_cast<wchar_t>(c);
        // Surrogate halves stay as they are: the platform folds no pair.
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, t.get(), 0xD800, t.get(), 0xD800, nullptr, nullptr, 0);
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, t.get() + 0xE000, 0x2000, t.get() + 0xE000, 0x2000,
                      nullptr, nullptr, 0);
        return t;
    }();
    return table.get();
}

struct NameHash {
    uint64_t value;
    int length;
};

NameHash hashName(const wchar_t* name, const wchar_t* upper) {
    uint64_t h = 1469598103934665603ull;
    const wchar_t* p = name;
    for (; *p; ++p) h = (h ^ static_cast<uint16_t>(upper[static_cast<uint16_t>(*p)])) * 1099511628211ull;
    return {h, static_cast<int>(p - name)};
}

bool sameTime(uint64_t a, uint64_t b, bool coarse) {
    if (coarse) return (a > b ? a - b : b - a) <= 2 * kSecond;
    return a / kSecond == b / kSecond;
}

// The right side's entries in an open-addressed table by folded name.
class NameTable {
public:
    NameTable(std::span<const FileEntry> entries, const wchar_t* upper) : entries_(entries) {
        size_t capacity = 16;
        while (capacity < entries.size() * 2) capacity *= 2;
        mask_ = capacity - 1;
        slots_.assign(capacity, Slot{0, -1, 0});
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].isParent()) continue;
            const NameHash h = hashName(entries[i].name(), upper);
            size_t at = static_cast<size_t>(h.value) & mask_;
            while (slots_[at].position >= 0) at = (at + 1) & mask_;
            slots_[at] = Slot{h.value, static_cast<int>(i), h.length};
        }
    }

    int find(const wchar_t* name, const NameHash& h) const {
        for (size_t at = static_cast<size_t>(h.value) & mask_; slots_[at].position >= 0; at = (at + 1) & mask_) {
            const Slot& s = slots_[at];
            if (s.hash != h.value || s.length != h.length) continue;
            if (CompareStringOrdinal(name, h.length, entries_[static_cast<size_t>(s.position)].name(), s.length, TRUE) ==
                CSTR_EQUAL)
                return s.position;
        }
        return -1;
    }

private:
    struct Slot {
        uint64_t hash;
        int position;
        int length;
    };
    std::span<const FileEntry> entries_;
    std::vector<Slot> slots_;
    size_t mask_ = 0;
};

}  // namespace

bool entryIsLink(const FileEntry& entry) { return entry.isLink(); }

ListingDifference compareListings(std::span<const FileEntry> left, std::span<const FileEntry> right,
                                  const CompareOptions& options) {
    ListingDifference out;
    const wchar_t* upper = upperTable();
    const NameTable rightNames(right, upper);
    std::vector<char> rightMatched(right.size(), 0);
    for (size_t i = 0; i < left.size(); ++i) {
        const FileEntry& l = left[i];
        if (l.isParent()) continue;
        const int li = static_cast<int>(i);
        const int ri = rightNames.find(l.name(), hashName(l.name(), upper));
        if (ri < 0) {
            out.left.push_back(li);
            continue;
        }
        rightMatched[static_cast<size_t>(ri)] = 1;
        const FileEntry& r = right[static_cast<size_t>(ri)];
        if (l.isFolder() != r.isFolder()) {
            out.left.push_back(li);
            out.right.push_back(ri);
            continue;
        }
        if (l.isFolder()) {
            if (options.subfolders && !entryIsLink(l) && !entryIsLink(r)) out.folders.push_back({li, ri});
            continue;
        }
        const bool sizesDiffer = l.size != r.size;
        if (options.by == CompareBy::TimeAndSize) {
            if (!sameTime(l.writeTime, r.writeTime, options.coarseTimes)) {
                // Newer in the sense the copy's "only newer" uses, so what is marked is what it copies.
                if (!leftAsNotNewer(toFileTime(l.writeTime), toFileTime(r.writeTime), options.coarseTimes)) out.left.push_back(li);
                else out.right.push_back(ri);
                continue;
            }
        }
        if (sizesDiffer) {
            out.left.push_back(li);
            out.right.push_back(ri);
        } else if (options.by == CompareBy::Content && !entryIsLink(l) && !entryIsLink(r)) {
            out.sameSizeFiles.push_back({li, ri});
        }
    }
    for (size_t i = 0; i < right.size(); ++i)
        if (!rightMatched[i] && !right[i].isParent()) out.right.push_back(static_cast<int>(i));
    return out;
}
