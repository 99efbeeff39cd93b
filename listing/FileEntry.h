// One listed item: what the pane shows and sorts of a folder entry, plus the mark flags. The name
// lives in the owning list's name pool, so a record stays a few words wide whatever the name.
#pragma once
#include <windows.h>
#include <cstdint>

enum class MarkMode { Unmark = 0, Mark = 1, Toggle = 2 };

struct FileEntry {
    static constexpr uint32_t kMarked = 0x1;
    static constexpr uint32_t kParent = 0x2;  // the ".." entry
    static constexpr uint32_t kSized = 0x4;      // a folder whose size was computed (held in `size`)
    static constexpr uint32_t kSizeAtLeast = 0x8;  // that size is a lower bound: part could not be counted
    static constexpr uint32_t kLink = 0x10;        // a junction, symbolic link or mount point (never entered)

    const wchar_t* nameText;  // zero-terminated, owned by the list that holds the entry
    uint64_t size;
    uint64_t writeTime;       // file times in UTC, 100 ns units since 1601
    uint64_t creationTime;
    uint64_t accessTime;
    uint32_t attributes;
    uint32_t flags;

    bool isMarked() const { return (flags & kMarked) != 0; }
    bool isParent() const { return (flags & kParent) != 0; }
    bool isLink() const { return (flags & kLink) != 0; }
    bool isSized() const { return (flags & kSized) != 0; }
    bool sizeIsLowerBound() const { return (flags & kSizeAtLeast) != 0; }
    bool isFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    const wchar_t* name() const { return nameText; }
};

inline uint64_t fileTimeValue(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

inline FILETIME toFileTime(uint64_t value) {
    return {static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

inline uint64_t entrySize(const FileEntry& e) { return e.size; }
inline uint64_t lastWriteTime(const FileEntry& e) { return e.writeTime; }
