// What differs between two listings: the rules of the two panes' compare, as a pure function of the
// entries (no window, no file system), so a test gives it plain records and a benchmark times it.
#pragma once
#include "listing/FileEntry.h"
#include <span>
#include <vector>

enum class CompareBy { TimeAndSize = 0, SizeOnly = 1, Content = 2 };

struct CompareOptions {
    CompareBy by = CompareBy::TimeAndSize;
    bool subfolders = false;   // folders on both sides are compared inside too
    bool coarseTimes = false;  // either side keeps times in 2-second steps (FAT)
};

// Two entries of the same name, one on each side, by their positions in their spans.
struct EntryPair {
    int left;
    int right;
};

struct ListingDifference {
    std::vector<int> left, right;          // positions to mark on each side
    std::vector<EntryPair> sameSizeFiles;  // by content: files of equal size whose bytes decide
    std::vector<EntryPair> folders;        // with subfolders: folders on both sides to compare inside
};

// Entries are matched by name without regard to case, as the file system matches them. Marked:
// an entry on one side only; a file that has the same name as a folder on the other side (both);
// of two files, the newer one by last-write time, or both when the times are the same but the sizes
// are not ("same" is the same second, or within 2 seconds with coarse times). By size only, both
// files when the sizes differ; by content, as by size, with the files of equal size left to their
// bytes. Folders on both sides are marked by what is inside (`folders`), never when either is a link,
// which is not entered. The ".." entry takes no part.
ListingDifference compareListings(std::span<const FileEntry> left, std::span<const FileEntry> right,
                                  const CompareOptions& options);
// Whether an entry is a link (junction, symbolic link, mount point), judged by its attributes and
// the reparse tag its listing gave.
bool entryIsLink(const FileEntry& entry);
