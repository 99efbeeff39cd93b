#include "pane/FileIndex.h"
#include <algorithm>
#include <cwchar>

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
template <typename T>
int compareValues(T a, T b) { return a < b ? -1 : (a > b ? 1 : 0); }

// The criterion of a sort type (0 when the type has none) and whether it runs descending.
int criterion(int type, const FileEntry& a, const FileEntry& b) {
    switch (type) {
    case 1: case 2: return compareNamesFoldingAscii(a.name(), b.name());
    case 3: case 4: return compareValues(std::wcscmp(extensionOf(a.name()), extensionOf(b.name())), 0);
    case 5: case 6: return compareValues(entrySize(a), entrySize(b));
    case 7: case 8: return compareValues(lastWriteTime(a), lastWriteTime(b));
    default: return 0;
    }
}

bool descending(int type) { return type == 2 || type == 3 || type == 4 || type == 6 || type == 8; }
}  // namespace

void FileIndex::build(const FileList& list) {
    items_.clear();
    items_.reserve(static_cast<size_t>(list.size()));
    for (int i = 0; i < list.size(); ++i) items_.push_back({&list.at(i), 0, i});
}

void FileIndex::sort(int type, uint32_t groupMask) {
    sortType_ = type;
    groupMask_ = groupMask;
    for (FileIndexItem& item : items_) item.groupKey = item.entry->data.dwFileAttributes & groupMask;
    if (static_cast<unsigned>(type) > 8) return;

    std::sort(items_.begin(), items_.end(), [type](const FileIndexItem& a, const FileIndexItem& b) {
        if (a.entry->isParent() != b.entry->isParent()) return a.entry->isParent();
        if (a.groupKey != b.groupKey) return a.groupKey > b.groupKey;
        if (int r = criterion(type, *a.entry, *b.entry); r != 0) return descending(type) ? r > 0 : r < 0;
        return a.position < b.position;
    });
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
