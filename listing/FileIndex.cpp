#include "listing/FileIndex.h"
#include <algorithm>
#include <cwchar>
#include <initializer_list>
#include <string_view>
#include <unordered_map>
#include <utility>

int compareNamesFoldingAscii(const wchar_t* a, const wchar_t* b) {
    auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    for (;; ++a, ++b) {
        const wchar_t ca = fold(*a), cb = fold(*b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

const wchar_t* extensionOf(const wchar_t* name) {
    const wchar_t* dot = std::wcsrchr(name, L'.');
    return dot ? dot : name + std::wcslen(name);
}

namespace {
// What a sort compares for one entry, so most comparisons touch neither the entries nor their
// names: `head` puts ".." first and then the greater group key; `value` and `value2` carry the sort
// criterion already turned ascending. Keys stand in listing order.
struct SortKey {
    uint64_t head;
    uint64_t value;
    uint64_t value2;
};

bool descending(int type) { return type == 2 || type == 3 || type == 4 || type == 6 || type == 8; }
bool byName(int type) { return type == 1 || type == 2; }

constexpr wchar_t foldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

constexpr size_t kPrefixUnits = 8;  // folded code units of a name carried in its key

// The first eight folded code units of a name in two numbers, high unit first, zero after its end:
// comparing them compares the names' beginnings as compareNamesFoldingAscii does.
void namePrefix(const wchar_t* name, uint64_t& first, uint64_t& second) {
    uint64_t units[2] = {0, 0};
    bool ended = false;
    for (size_t i = 0; i < kPrefixUnits; ++i) {
        const wchar_t c = ended ? 0 : name[i];
        ended = ended || c == 0;
        units[i / 4] = (units[i / 4] << 16) | foldAscii(c);
    }
    first = units[0];
    second = units[1];
}

// Each distinct extension gets its place in code-unit order, so the sort compares numbers. A folder
// holds few distinct extensions, so they are looked for in a short list before a hash table.
std::vector<uint64_t> extensionRanks(const FileList& list) {
    constexpr size_t kShortList = 32;
    std::unordered_map<std::wstring_view, uint64_t> ids;
    std::vector<std::wstring_view> distinct;
    std::vector<uint64_t> idOfEntry;
    idOfEntry.reserve(static_cast<size_t>(list.size()));
    const auto same = [](std::wstring_view a, std::wstring_view b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i]) return false;
        return true;
    };
    for (const FileEntry& entry : list.entries()) {
        // One walk finds both the last dot and the end.
        const wchar_t* dot = nullptr;
        const wchar_t* end = entry.name();
        for (; *end; ++end)
            if (*end == L'.') dot = end;
        const wchar_t* from = dot ? dot : end;
        const std::wstring_view extension(from, static_cast<size_t>(end - from));
        uint64_t id = 0;
        if (distinct.size() <= kShortList) {
            while (id < distinct.size() && !same(distinct[id], extension)) ++id;
            if (id == distinct.size()) {
                distinct.push_back(extension);
                ids.emplace(extension, id);
            }
        } else {
            auto [it, added] = ids.try_emplace(extension, distinct.size());
            if (added) distinct.push_back(extension);
            id = it->second;
        }
        idOfEntry.push_back(id);
    }
    std::vector<uint64_t> order(distinct.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](uint64_t a, uint64_t b) { return distinct[a] < distinct[b]; });
    std::vector<uint64_t> rankOfId(distinct.size());
    for (size_t rank = 0; rank < order.size(); ++rank) rankOfId[order[rank]] = rank;
    for (uint64_t& id : idOfEntry) id = rankOfId[id];
    return idOfEntry;
}

// The key of every entry for a sort type (a zero criterion when the type has none).
std::vector<SortKey> sortKeys(const FileList& list, int type, uint32_t groupMask) {
    const bool down = descending(type);
    const std::vector<uint64_t> ranks = type == 3 || type == 4 ? extensionRanks(list) : std::vector<uint64_t>();
    std::vector<SortKey> keys(static_cast<size_t>(list.size()));
    for (size_t p = 0; p < keys.size(); ++p) {
        const FileEntry& e = list.at(static_cast<int>(p));
        SortKey& key = keys[p];
        // Smaller heads come first: ".." above everything, then the greater group key.
        key.head = ~((uint64_t{e.isParent()} << 32) | (e.attributes & groupMask));
        key.value = key.value2 = 0;
        switch (type) {
        case 1: case 2: namePrefix(e.name(), key.value, key.value2); break;
        case 3: case 4: key.value = ranks[p]; break;
        case 5: case 6: key.value = e.size; break;
        case 7: case 8: key.value = e.writeTime; break;
        default: break;
        }
        if (down) {
            key.value = ~key.value;
            key.value2 = ~key.value2;
        }
    }
    return keys;
}

using PositionIterator = std::vector<uint32_t>::iterator;
using KeyField = uint64_t SortKey::*;

// A stable least-significant-digit radix sort of the listing positions in [first, last) by the
// given fields of their keys (the last field most significant), 16 bits at a time. Only the
// positions move, so the sort needs little memory beside the keys; only digits in which some keys
// differ are sorted on, so few distinct values (extensions, groups) cost a pass or two.
void radixSort(const std::vector<SortKey>& keys, PositionIterator first, PositionIterator last,
               std::initializer_list<KeyField> fields) {
    constexpr int kDigitBits = 16;
    constexpr uint64_t kDigitMask = (uint64_t{1} << kDigitBits) - 1;
    if (last - first < 2) return;
    std::vector<uint32_t> buffer(static_cast<size_t>(last - first));
    std::vector<uint32_t> start(kDigitMask + 1);
    for (KeyField field : fields) {
        uint64_t differs = 0;  // bits in which some key differs from the first
        const uint64_t firstValue = keys[*first].*field;
        for (auto it = first; it != last; ++it) differs |= keys[*it].*field ^ firstValue;
        for (int shift = 0; shift < 64; shift += kDigitBits) {
            if (((differs >> shift) & kDigitMask) == 0) continue;
            const auto digit = [&](uint32_t p) { return (keys[p].*field >> shift) & kDigitMask; };
            std::fill(start.begin(), start.end(), 0);
            for (auto it = first; it != last; ++it) ++start[digit(*it)];
            uint32_t total = 0;
            for (uint32_t& slot : start) total += std::exchange(slot, total);
            for (auto it = first; it != last; ++it) buffer[start[digit(*it)]++] = *it;
            std::copy(buffer.begin(), buffer.end(), first);
        }
    }
}
}  // namespace

void FileIndex::clear() { std::vector<FileIndexItem>().swap(items_); }

void FileIndex::build(const FileList& list) {
    clear();
    list_ = &list;
    items_.reserve(static_cast<size_t>(list.size()));
    for (int i = 0; i < list.size(); ++i) items_.push_back({&list.at(i), 0, i});
}

void FileIndex::placeItems(const std::vector<uint32_t>& order) {
    clear();
    items_.reserve(order.size());
    for (uint32_t p : order) {
        const FileEntry& entry = list_->at(static_cast<int>(p));
        items_.push_back({&entry, entry.attributes & groupMask_, static_cast<int>(p)});
    }
}

void FileIndex::sortPositions(int type, std::vector<uint32_t>& order) const {
    const bool down = descending(type);
    const bool names = byName(type);
    const std::vector<SortKey> keys = sortKeys(*list_, type, groupMask_);
    const FileList& list = *list_;
    const auto before = [&keys, &list, names, down](uint32_t pa, uint32_t pb) {
        const SortKey &a = keys[pa], &b = keys[pb];
        if (a.head != b.head) return a.head < b.head;
        if (a.value != b.value) return a.value < b.value;
        if (a.value2 != b.value2) return a.value2 < b.value2;
        // Names equal in their first eight units, and neither ended there: the rest decides.
        if (names && ((down ? ~a.value2 : a.value2) & 0xFFFF) != 0) {
            const int r = compareNamesFoldingAscii(list.at(static_cast<int>(pa)).name() + kPrefixUnits,
                                                   list.at(static_cast<int>(pb)).name() + kPrefixUnits);
            if (r != 0) return down ? r > 0 : r < 0;
        }
        return pa < pb;
    };
    const auto reversed = [&before](PositionIterator first, PositionIterator last) {
        return std::adjacent_find(first, last, [&before](uint32_t previous, uint32_t next) {
                   return !before(next, previous);
               }) == last;
    };
    if (std::is_sorted(order.begin(), order.end(), before)) return;
    // Positions start in listing order and every step below is stable, so ties stay in listing order.
    // First the groups (".." and the group keys), then each group on its own: a folder usually comes
    // back from the platform in name order, so a group is often in order already, or in exactly the
    // reverse order (a descending sort without ties).
    radixSort(keys, order.begin(), order.end(), {&SortKey::head});
    for (auto run = order.begin(); run != order.end();) {
        const uint64_t head = keys[*run].head;
        const auto end = std::find_if(run, order.end(), [&](uint32_t p) { return keys[p].head != head; });
        if (std::is_sorted(run, end, before)) {
            // already in order
        } else if (reversed(run, end)) {
            std::reverse(run, end);
        } else {
            radixSort(keys, run, end, {&SortKey::value2, &SortKey::value});
            if (names) {
                // Names alike in their first eight units are put in order by the rest of the name.
                for (auto same = run; same != end;) {
                    const SortKey& k = keys[*same];
                    const auto sameEnd = std::find_if(same + 1, end, [&](uint32_t p) {
                        return keys[p].value != k.value || keys[p].value2 != k.value2;
                    });
                    if (sameEnd - same > 1) std::sort(same, sameEnd, before);
                    same = sameEnd;
                }
            }
        }
        run = end;
    }
}

void FileIndex::sort(int type, uint32_t groupMask) {
    sortType_ = type;
    groupMask_ = groupMask;
    if (!list_ || items_.empty()) return;
    const size_t count = items_.size();
    std::vector<uint32_t> order(count);
    for (size_t p = 0; p < count; ++p) order[p] = static_cast<uint32_t>(p);
    if (static_cast<unsigned>(type) > 8 || count < 2) {
        placeItems(order);
        return;
    }
    // The old items go first and the keys before the new items come, so a sort holds no more than
    // the keys and two position arrays beside the listing.
    clear();
    sortPositions(type, order);
    placeItems(order);
}

const FileEntry* FileIndex::entryAt(int displayPosition) const {
    if (displayPosition < 0 || displayPosition >= count()) return nullptr;
    return items_[static_cast<size_t>(displayPosition)].entry;
}

int FileIndex::positionAt(int displayPosition) const {
    if (displayPosition < 0 || displayPosition >= count()) return -1;
    return items_[static_cast<size_t>(displayPosition)].position;
}

int FileIndex::findName(const std::wstring& name, int from) const {
    for (int i = std::max(from, 0); i < count(); ++i) {
        if (name == items_[static_cast<size_t>(i)].entry->name()) return i;
    }
    return -1;
}
