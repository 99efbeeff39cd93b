// A pane's display order over its listing: nine sort types, an attribute group that can put
// folders first, and ".." always on top. Holds references only, so re-sorting moves no entries.
#pragma once
#include "listing/FileList.h"
#include <cstdint>
#include <string>
#include <vector>

struct FileIndexItem {
    const FileEntry* entry;
    uint32_t groupKey;  // attributes AND the group mask
    int position;       // listing position
};

class FileIndex {
public:
    // One item per entry in listing order. Must be rebuilt after every change of the list.
    void build(const FileList& list);
    // Frees the items (before the list they point into goes).
    void clear();
    // Sort types 0 none, 1/2 name up/down, 3/4 extension down, 5/6 size up/down, 7/8 time up/down;
    // any other value keeps the listing order with no grouping and ".." where it was.
    void sort(int type, uint32_t groupMask);

    int count() const { return static_cast<int>(items_.size()); }
    int sortType() const { return sortType_; }
    uint32_t groupMask() const { return groupMask_; }
    const FileEntry* entryAt(int displayPosition) const;
    // Listing position of the item at a display position, -1 when outside.
    int positionAt(int displayPosition) const;
    // First display position at or after `from` whose name equals `name` exactly; -1 when none.
    int findName(const std::wstring& name, int from) const;

private:
    // Puts listing positions (given in listing order) into the display order of the type.
    void sortPositions(int type, std::vector<uint32_t>& order) const;
    // Makes the items anew from listing positions in display order.
    void placeItems(const std::vector<uint32_t>& order);

    const FileList* list_ = nullptr;
    std::vector<FileIndexItem> items_;
    int sortType_ = 0;
    uint32_t groupMask_ = 0;
};

// Names compared with only A to Z folded to lower case; every other code unit by value.
int compareNamesFoldingAscii(const wchar_t* a, const wchar_t* b);
// The extension of a name: from its last "." to the end, dot included; empty without a dot.
const wchar_t* extensionOf(const wchar_t* name);
