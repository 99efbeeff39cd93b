// The entries of one folder in enumeration order, with the running totals of the marks.
#pragma once
#include "pane/FileEntry.h"
#include <cstdint>
#include <string>
#include <vector>

class FileList {
public:
    // Replaces the contents with the folder's entries ("." left out, ".." kept). A mask filters
    // files only; every folder is listed whatever the mask. Returns the number of entries.
    int scan(const std::wstring& folder, const std::wstring& mask);
    // Marks, unmarks or toggles the entry at a listing position; 1 when its mark changed.
    // The ".." entry can never be marked.
    int setMark(int position, MarkMode mode);
    // Recomputes the four counters from the entries' flags.
    void recount();

    int size() const { return static_cast<int>(entries_.size()); }
    const FileEntry& at(int position) const { return entries_[static_cast<size_t>(position)]; }
    FileEntry& at(int position) { return entries_[static_cast<size_t>(position)]; }
    const std::vector<FileEntry>& entries() const { return entries_; }
    // Takes over another list's entries (same order) and recounts.
    void assign(std::vector<FileEntry> entries);

    int fileCount() const { return fileCount_; }      // entries other than ".."; folders count too
    int markedCount() const { return markedCount_; }
    uint64_t markedBytes() const { return markedBytes_; }
    int parentCount() const { return parentCount_; }
    size_t capacity() const { return entries_.capacity(); }

    // Grows or shrinks to `count` entries; new ones are zero-filled. Growth beyond the capacity
    // adds size / 8 entries (at least 4, at most 1024), or goes straight to `count` when that is more.
    void resize(int count);

private:
    enum Accept { kFolders = 1, kFiles = 2 };
    int fill(const std::wstring& pattern, int start, int accept);

    std::vector<FileEntry> entries_;
    int fileCount_ = 0;
    int markedCount_ = 0;
    uint64_t markedBytes_ = 0;
    int parentCount_ = 0;
};
