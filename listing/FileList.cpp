#include "listing/FileList.h"
#include "common/ReparseTag.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"
#include <cwchar>

namespace {
bool isDot(const wchar_t* name) { return name[0] == L'.' && name[1] == 0; }
bool isDotDot(const wchar_t* name) { return name[0] == L'.' && name[1] == L'.' && name[2] == 0; }
}  // namespace

void FileList::clear() {
    std::vector<FileEntry>().swap(entries_);
    names_.clear();
    fileCount_ = markedCount_ = parentCount_ = 0;
    markedBytes_ = 0;
}

int FileList::scan(const std::wstring& folder, const std::wstring& mask, size_t expected,
                   const std::function<bool(int)>& keepGoing) {
    clear();
    unreadable_ = false;
    if (expected > 0) entries_.reserve(expected);
    // One enumeration straight into the records; the platform matches the mask (short names too),
    // so a mask costs a second enumeration that lists the matching files only.
    // The literal form, so a folder named "a." lists itself and not its neighbour "a".
    const std::wstring base = literalPath(ensureTrailingBackslash(folder));
    if (mask.empty() || mask == L"*.*") {
        fill(base + L"*.*", kFolders | kFiles, keepGoing);
    } else if (fill(base + L"*.*", kFolders, keepGoing)) {
        fill(base + mask, kFiles, keepGoing);
    }
    // A re-read reserves for the old count; a folder that shrank a lot gives the room back.
    if (entries_.capacity() > 2 * entries_.size() + 1024) entries_.shrink_to_fit();
    fileCount_ = size() - parentCount_;
    return size();
}

bool FileList::fill(const std::wstring& pattern, int accept, const std::function<bool(int)>& keepGoing) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        // An empty drive root or a mask that matches nothing is an empty listing, not a failure.
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return true;
        unreadable_ = true;
        return false;
    }
    do {
        if (isDot(data.cFileName)) continue;
        const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folder ? !(accept & kFolders) : !(accept & kFiles)) continue;
        const FileEntry entry = recordOf(data, data.cFileName, wcsnlen(data.cFileName, MAX_PATH));
        if (entry.isParent()) ++parentCount_;
        entries_.push_back(entry);
        if (keepGoing && !keepGoing(size())) return false;
    } while (FindNextFileW(find.get(), &data));
    return true;
}

FileEntry FileList::recordOf(const WIN32_FIND_DATAW& data, const wchar_t* name, size_t length) {
    FileEntry entry;
    entry.nameText = names_.add(name, length);
    entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.writeTime = fileTimeValue(data.ftLastWriteTime);
    entry.creationTime = fileTimeValue(data.ftCreationTime);
    entry.accessTime = fileTimeValue(data.ftLastAccessTime);
    entry.attributes = data.dwFileAttributes;
    entry.flags = isDotDot(entry.nameText) ? FileEntry::kParent : 0;
    if (listedAsLink(data.dwFileAttributes, data.dwReserved0)) entry.flags |= FileEntry::kLink;
    return entry;
}

void FileList::append(const WIN32_FIND_DATAW& data) {
    entries_.push_back(recordOf(data, data.cFileName, wcsnlen(data.cFileName, MAX_PATH)));
    recount();
}

void FileList::appendNamed(const WIN32_FIND_DATAW& data, std::wstring_view name) {
    entries_.push_back(recordOf(data, name.data(), name.size()));
}

void FileList::takeAll(FileList&& other) {
    entries_.insert(entries_.end(), other.entries_.begin(), other.entries_.end());
    names_.adopt(std::move(other.names_));
    other.clear();
    recount();
}

int FileList::removeIf(const std::function<bool(const FileEntry&)>& gone) {
    const size_t removed = std::erase_if(entries_, gone);
    if (removed > 0) recount();
    return static_cast<int>(removed);
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

void FileList::setSize(int position, uint64_t size) {
    if (position < 0 || position >= this->size()) return;
    FileEntry& entry = at(position);
    if (entry.isMarked()) markedBytes_ = markedBytes_ - entry.size + size;
    entry.size = size;
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
