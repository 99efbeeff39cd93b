#include "pane/FileList.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"
#include <algorithm>
#include <cstring>

namespace {
bool isDot(const wchar_t* name) { return name[0] == L'.' && name[1] == 0; }
bool isDotDot(const wchar_t* name) { return name[0] == L'.' && name[1] == L'.' && name[2] == 0; }

int countEntries(const std::wstring& pattern) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) return 0;
    int count = 0;
    do {
        if (!isDot(data.cFileName)) ++count;
    } while (FindNextFileW(find.get(), &data));
    return count;
}
}  // namespace

void FileList::resize(int count) {
    const size_t wanted = static_cast<size_t>(std::max(count, 0));
    if (wanted == 0) {
        std::vector<FileEntry>().swap(entries_);
        return;
    }
    if (wanted > entries_.capacity()) {
        const size_t step = std::clamp<size_t>(entries_.size() / 8, 4, 1024);
        entries_.reserve(std::max(entries_.capacity() + step, wanted));
    }
    FileEntry zero;
    std::memset(&zero, 0, sizeof zero);
    entries_.resize(wanted, zero);
}

int FileList::scan(const std::wstring& folder, const std::wstring& mask) {
    resize(0);
    fileCount_ = markedCount_ = parentCount_ = 0;
    markedBytes_ = 0;

    const std::wstring base = ensureTrailingBackslash(folder);
    const std::wstring all = base + L"*.*";
    const int count = countEntries(all);
    if (count < 1) return 0;
    resize(count);

    int stored;
    if (mask.empty() || mask == L"*.*") {
        stored = fill(all, 0, kFolders | kFiles);
    } else {
        stored = fill(all, 0, kFolders);
        stored = fill(base + mask, stored, kFiles);
    }
    resize(stored);
    fileCount_ = stored - parentCount_;
    return stored;
}

int FileList::fill(const std::wstring& pattern, int start, int accept) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) return start;
    int position = start;
    do {
        if (isDot(data.cFileName)) continue;
        const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folder ? !(accept & kFolders) : !(accept & kFiles)) continue;
        // Entries that appeared since the count are kept too.
        if (position >= size()) resize(position + 1);
        FileEntry& entry = entries_[static_cast<size_t>(position++)];
        entry.data = data;
        entry.flags = 0;
        if (isDotDot(data.cFileName)) {
            entry.flags = FileEntry::kParent;
            ++parentCount_;
        }
    } while (FindNextFileW(find.get(), &data));
    return position;
}

int FileList::setMark(int position, MarkMode mode) {
    if (position < 0 || position >= size()) return 0;
    FileEntry& entry = at(position);
    if (entry.isParent()) mode = MarkMode::Unmark;
    if (entry.isMarked()) {
        if (mode == MarkMode::Mark) return 0;
        entry.flags &= ~FileEntry::kMarked;
        --markedCount_;
        markedBytes_ -= entrySize(entry);
        return 1;
    }
    if (mode != MarkMode::Mark && mode != MarkMode::Toggle) return 0;
    entry.flags |= FileEntry::kMarked;
    ++markedCount_;
    markedBytes_ += entrySize(entry);
    return 1;
}

void FileList::recount() {
    fileCount_ = markedCount_ = parentCount_ = 0;
    markedBytes_ = 0;
    for (const FileEntry& entry : entries_) {
        if (entry.isParent()) {
            ++parentCount_;
        } else if (entry.isMarked()) {
            ++markedCount_;
            markedBytes_ += entrySize(entry);
        }
    }
    fileCount_ = size() - parentCount_;
}

void FileList::assign(std::vector<FileEntry> entries) {
    entries_ = std::move(entries);
    recount();
}
