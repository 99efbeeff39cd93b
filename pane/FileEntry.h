// One listed item: the find data exactly as the folder enumeration returned it, plus flags.
#pragma once
#include <windows.h>
#include <cstdint>

enum class MarkMode { Unmark = 0, Mark = 1, Toggle = 2 };

struct FileEntry {
    static constexpr uint32_t kMarked = 0x1;
    static constexpr uint32_t kParent = 0x2;  // the ".." entry

    WIN32_FIND_DATAW data;
    uint32_t flags;

    bool isMarked() const { return (flags & kMarked) != 0; }
    bool isParent() const { return (flags & kParent) != 0; }
    bool isFolder() const { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    const wchar_t* name() const { return data.cFileName; }
};

inline uint64_t entrySize(const FileEntry& e) {
    return (static_cast<uint64_t>(e.data.nFileSizeHigh) << 32) | e.data.nFileSizeLow;
}

inline uint64_t lastWriteTime(const FileEntry& e) {
    return (static_cast<uint64_t>(e.data.ftLastWriteTime.dwHighDateTime) << 32) | e.data.ftLastWriteTime.dwLowDateTime;
}
