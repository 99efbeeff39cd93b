#include "pane/FileIndex.h"
#include <algorithm>
#include <cwchar>
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
// What a sort compares, one compact record per item, so most comparisons touch neither the entries
// nor their names: `head` puts ".." first and then the greater group key; `value` and `value2`
// carry the sort criterion already turned ascending.
struct SortKey {
    uint64_t head;
    uint64_t value;
    uint64_t value2;
    int position;   // listing position, the last tie-break
    uint32_t item;  // where the item stands before the sort
};

bool descending(int type) { return type == 2 || type == 3 || type == 4 || type == 6 || type == 8; }
bool byName(int type) { return type == 1 || type == 2; }
bool isParentHead(uint64_t head) { return ((~head >> 32) & 1) != 0; }

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
std::vector<uint64_t> extensionRanks(const std::vector<FileIndexItem>& items) {
    constexpr size_t kShortList = 32;
    std::unordered_map<std::wstring_view, uint64_t> ids;
    std::vector<std::wstring_view> distinct;
    std::vector<uint64_t> idOfItem;
    idOfItem.reserve(items.size());
    const auto same = [](std::wstring_view a, std::wstring_view b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i]) return false;
        return true;
    };
    for (const FileIndexItem& item : items) {
        // One walk finds both the last dot and the end.
        const wchar_t* name = item.entry->name();
        const wchar_t* dot = nullptr;
        const wchar_t* end = name;
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
        idOfItem.push_back(id);
    }
    std::vector<uint64_t> order(distinct.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](uint64_t a, uint64_t b) { return distinct[a] < distinct[b]; });
    std::vector<uint64_t> rankOfId(distinct.size());
    for (size_t rank = 0; rank < order.size(); ++rank) rankOfId[order[rank]] = rank;
    for (uint64_t& id : idOfItem) id = rankOfId[id];
    return idOfItem;
}

// The keys of the items with the criterion of the type (zero when it has none), in listing order
// whatever the order of the items.
std::vector<SortKey> sortKeys(int type, const std::vector<FileIndexItem>& items) {
    const bool down = descending(type);
    const std::vector<uint64_t> ranks = type == 3 || type == 4 ? extensionRanks(items) : std::vector<uint64_t>();
    std::vector<SortKey> keys(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const FileEntry& e = *items[i].entry;
        SortKey& key = keys[static_cast<size_t>(items[i].position)];
        // Smaller heads come first: ".." above everything, then the greater group key.
        key.head = ~((uint64_t{e.isParent()} << 32) | items[i].groupKey);
        key.value = key.value2 = 0;
        switch (type) {
        case 1: case 2: namePrefix(e.name(), key.value, key.value2); break;
        case 3: case 4: key.value = ranks[i]; break;
        case 5: case 6: key.value = e.size; break;
        case 7: case 8: key.value = e.writeTime; break;
        default: break;
        }
        if (down) {
            key.value = ~key.value;
            key.value2 = ~key.value2;
        }
        key.position = items[i].position;
        key.item = static_cast<uint32_t>(i);
    }
    return keys;
}

// A stable least-significant-digit radix sort of the keys by head, value and value2 (value2 least
// significant), 16 bits at a time. Only digits in which some keys differ are sorted on, so a sort
// with few distinct values (extensions, groups) costs a pass or two.
void radixSort(std::vector<SortKey>& keys) {
    constexpr int kDigitBits = 16;
    constexpr uint64_t kDigitMask = (uint64_t{1} << kDigitBits) - 1;
    const SortKey& first = keys.front();
    uint64_t differs[3] = {0, 0, 0};  // bits in which some key differs from the first
    for (const SortKey& key : keys) {
        differs[0] |= key.value2 ^ first.value2;
        differs[1] |= key.value ^ first.value;
        differs[2] |= key.head ^ first.head;
    }
    std::vector<SortKey> buffer(keys.size());
    std::vector<uint32_t> start(kDigitMask + 1);
    const uint64_t SortKey::*fields[3] = {&SortKey::value2, &SortKey::value, &SortKey::head};
    for (int f = 0; f < 3; ++f) {
        const uint64_t SortKey::*field = fields[f];
        for (int shift = 0; shift < 64; shift += kDigitBits) {
            if (((differs[f] >> shift) & kDigitMask) == 0) continue;
            std::fill(start.begin(), start.end(), 0);
            for (const SortKey& key : keys) ++start[(key.*field >> shift) & kDigitMask];
            uint32_t total = 0;
            for (uint32_t& slot : start) total += std::exchange(slot, total);
            for (const SortKey& key : keys) buffer[start[(key.*field >> shift) & kDigitMask]++] = key;
            keys.swap(buffer);
        }
    }
}
}  // namespace

void FileIndex::build(const FileList& list) {
    clear();
    items_.reserve(static_cast<size_t>(list.size()));
    for (int i = 0; i < list.size(); ++i) items_.push_back({&list.at(i), 0, i});
}

void FileIndex::sort(int type, uint32_t groupMask) {
    sortType_ = type;
    groupMask_ = groupMask;
    for (FileIndexItem& item : items_) item.groupKey = item.entry->attributes & groupMask;
    if (static_cast<unsigned>(type) > 8 || items_.size() < 2) return;

    const bool down = descending(type);
    const bool names = byName(type);
    std::vector<SortKey> keys = sortKeys(type, items_);
    const auto before = [this, names, down](const SortKey& a, const SortKey& b) {
        if (a.head != b.head) return a.head < b.head;
        if (a.value != b.value) return a.value < b.value;
        if (a.value2 != b.value2) return a.value2 < b.value2;
        // Names equal in their first eight units, and neither ended there: the rest decides.
        if (names && ((down ? ~a.value2 : a.value2) & 0xFFFF) != 0) {
            const int r = compareNamesFoldingAscii(items_[a.item].entry->name() + kPrefixUnits,
                                                   items_[b.item].entry->name() + kPrefixUnits);
            if (r != 0) return down ? r > 0 : r < 0;
        }
        return a.position < b.position;
    };
    const auto parentsEnd = std::find_if_not(keys.begin(), keys.end(), [](const SortKey& k) { return isParentHead(k.head); });
    if (std::is_sorted(keys.begin(), keys.end(), before)) {
        // A folder usually comes back from the platform already in name order: nothing moves.
        const auto listed = [this](size_t i) { return items_[i].position == static_cast<int>(i); };
        size_t i = 0;
        while (i < items_.size() && listed(i)) ++i;
        if (i == items_.size()) return;
    } else if (std::adjacent_find(parentsEnd, keys.end(), [&before](const SortKey& previous, const SortKey& next) {
                   return !before(next, previous);
               }) == keys.end()) {
        // Strictly in the reverse order (a descending sort of a folder the platform listed ascending,
        // with no ties): turned round below "..".
        std::reverse(parentsEnd, keys.end());
    } else {
        // The keys start in listing order, so sorting stably by the numbers leaves ties in listing order.
        radixSort(keys);
        if (names) {
            // Names alike in their first eight units are put in order by the rest of the name.
            for (auto run = keys.begin(); run != keys.end();) {
                const SortKey& first = *run;
                const auto end = std::find_if(run + 1, keys.end(), [&first](const SortKey& k) {
                    return k.head != first.head || k.value != first.value || k.value2 != first.value2;
                });
                if (end - run > 1) std::sort(run, end, before);
                run = end;
            }
        }
    }
    std::vector<FileIndexItem> sorted;
    sorted.reserve(items_.size());
    for (const SortKey& key : keys) sorted.push_back(items_[key.item]);
    items_.swap(sorted);
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
