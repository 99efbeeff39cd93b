// The entries of one folder in enumeration order, with the running totals of the marks.
#pragma once
#include "listing/FileEntry.h"
#include "listing/NamePool.h"
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class FileList {
public:
    FileList() = default;
    FileList(FileList&&) noexcept = default;
    FileList& operator=(FileList&&) noexcept = default;
    // Entries point into the list's own names, so a copy would share them: lists are moved only.
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    // Replaces the contents with the folder's entries ("." left out, ".." kept). A mask filters
    // files only, with the platform's own matching; every folder is listed whatever the mask.
    // `expected` is a hint of the entry count (a re-read passes the old one), so the records grow
    // once. A scan on a worker thread passes `keepGoing`, asked after each entry with the count so
    // far: false stops the scan there. Returns the number of entries.
    int scan(const std::wstring& folder, const std::wstring& mask, size_t expected = 0,
             const std::function<bool(int)>& keepGoing = {});
    // Whether the last scan could not list the folder at all (gone, not a folder, no right to list).
    bool unreadable() const { return unreadable_; }
    // Marks, unmarks or toggles the entry at a listing position; 1 when its mark changed.
    // The ".." entry can never be marked.
    int setMark(int position, MarkMode mode);
    // Gives the entry at a listing position another size, the marked total following.
    void setSize(int position, uint64_t size);
    // Recomputes the four counters from the entries' flags.
    void recount();
    // Frees the entries and their names.
    void clear();
    // Adds one entry as the platform found it, unmarked, after the others.
    void append(const WIN32_FIND_DATAW& data);
    // Adds one entry under another name than the platform's: a search's result is named by its
    // path from the folder searched. The counters wait for recount or takeAll.
    void appendNamed(const WIN32_FIND_DATAW& data, std::wstring_view name);
    // Moves `other`'s entries behind these, with their names, and counts afresh.
    void takeAll(FileList&& other);
    // Gives back the room kept for entries that never came.
    void shrinkToFit() { entries_.shrink_to_fit(); }
    // Takes out the entries `gone` picks (their names stay in the pool until the next scan) and
    // counts afresh; the number taken out.
    int removeIf(const std::function<bool(const FileEntry&)>& gone);

    int size() const { return static_cast<int>(entries_.size()); }
    const FileEntry& at(int position) const { return entries_[static_cast<size_t>(position)]; }
    FileEntry& at(int position) { return entries_[static_cast<size_t>(position)]; }
    const std::vector<FileEntry>& entries() const { return entries_; }

    int fileCount() const { return fileCount_; }      // entries other than ".."; folders count too
    int markedCount() const { return markedCount_; }
    uint64_t markedBytes() const { return markedBytes_; }
    int parentCount() const { return parentCount_; }

private:
    enum Accept { kFolders = 1, kFiles = 2 };
    // False when the enumeration could not start for another reason than "nothing matches", or
    // when `keepGoing` stopped it.
    bool fill(const std::wstring& pattern, int accept, const std::function<bool(int)>& keepGoing);
    FileEntry recordOf(const WIN32_FIND_DATAW& data, const wchar_t* name, size_t length);

    std::vector<FileEntry> entries_;
    NamePool names_;
    int fileCount_ = 0;
    int markedCount_ = 0;
    uint64_t markedBytes_ = 0;
    int parentCount_ = 0;
    bool unreadable_ = false;
};
