#include "pane/FileIndex.h"
#include <algorithm>
#include <cwchar>
#include <string_view>
#include <unordered_map>

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
// What a sort compares, one compact record per item, so comparisons touch neither the entries nor
// their names: `head` puts ".." first and then the greater group key; `value` carries the sort
// criterion already turned ascending.
struct SortKey {
    uint64_t head;
    uint64_t value;
    int position;    // listing position, the last tie-break
    uint32_t item;   // where the item stands before the sort
};

bool descending(int type) { return type == 2 || type == 3 || type == 4 || type == 6 || type == 8; }

constexpr wchar_t foldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// The first four folded code units of a name, high unit first, zero after its end: comparing two
// of these compares the names' beginnings as compareNamesFoldingAscii does.
uint64_t namePrefix(const wchar_t* name) {
    uint64_t prefix = 0;
    bool ended = false;
    for (int i = 0; i < 4; ++i) {
        const wchar_t c = ended ? 0 : name[i];
        ended = ended || c == 0;
        prefix = (prefix << 16) | foldAscii(c);
    }
    return prefix;
}

// Each distinct extension gets its place in code-unit order, so the sort compares numbers.
std::vector<uint64_t> extensionRanks(const std::vector<FileIndexItem>& items) {
    std::unordered_map<std::wstring_view, uint64_t> ids;
    std::vector<std::wstring_view> distinct;
    std::vector<uint64_t> idOfItem;
    idOfItem.reserve(items.size());
    for (const FileIndexItem& item : items) {
        const std::wstring_view extension = extensionOf(item.entry->name());
        auto [it, added] = ids.try_emplace(extension, distinct.size());
        if (added) distinct.push_back(extension);
        idOfItem.push_back(it->second);
    }
    std::vector<uint64_t> order(distinct.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](uint64_t a, uint64_t b) { return distinct[a] < distinct[b]; });
    std::vector<uint64_t> rankOfId(distinct.size());
    for (size_t rank = 0; rank < order.size(); ++rank) rankOfId[order[rank]] = rank;
    for (uint64_t& id : idOfItem) id = rankOfId[id];
    return idOfItem;
}

// The criterion of each item as an ascending number (0 for every item when the type has none).
std::vector<uint64_t> criterionValues(int type, const std::vector<FileIndexItem>& items) {
    if (type == 3 || type == 4) return extensionRanks(items);
    std::vector<uint64_t> values(items.size(), 0);
    for (size_t i = 0; i < items.size(); ++i) {
        const FileEntry& e = *items[i].entry;
        switch (type) {
        case 1: case 2: values[i] = namePrefix(e.name()); break;
        case 5: case 6: values[i] = e.size; break;
        case 7: case 8: values[i] = e.writeTime; break;
        default: break;
        }
    }
    return values;
}

// Whether two names whose four-unit prefixes are equal differ further on.
int compareNameTails(const wchar_t* a, const wchar_t* b, uint64_t prefix) {
    if ((prefix & 0xFFFF) == 0) return 0;  // both ended within the prefix: equal
    return compareNamesFoldingAscii(a + 4, b + 4);
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
    const std::vector<uint64_t> values = criterionValues(type, items_);
    std::vector<SortKey> keys(items_.size());
    for (size_t i = 0; i < items_.size(); ++i) {
        const FileIndexItem& item = items_[i];
        // Greater heads come first: ".." above everything, then the greater group key.
        const uint64_t head = (uint64_t{item.entry->isParent()} << 32) | item.groupKey;
        keys[i] = {~head, down ? ~values[i] : values[i], item.position, static_cast<uint32_t>(i)};
    }
    const bool names = type == 1 || type == 2;
    const auto before = [this, names, down](const SortKey& a, const SortKey& b) {
        if (a.head != b.head) return a.head < b.head;
        if (a.value != b.value) return a.value < b.value;
        if (names) {
            const int r = compareNameTails(items_[a.item].entry->name(), items_[b.item].entry->name(),
                                           down ? ~a.value : a.value);
            if (r != 0) return down ? r > 0 : r < 0;
        }
        return a.position < b.position;
    };
    // A folder usually comes back from the platform already in name order: then nothing moves.
    if (std::is_sorted(keys.begin(), keys.end(), before)) return;
    std::sort(keys.begin(), keys.end(), before);
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
