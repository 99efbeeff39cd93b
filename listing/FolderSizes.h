// Folder sizes computed on request and held in the listing: a sized folder's entry carries its total
// in `size`, so the size column, the marked totals and the size sorts all take it as they are.
#pragma once
#include "listing/FileList.h"
#include <cstdint>
#include <string_view>
#include <unordered_map>

// Gives the folder entry at a listing position its computed size (a lower bound when part of it
// could not be counted).
void setFolderSize(FileList& list, int position, uint64_t bytes, bool lowerBound);
// Takes every computed size back to the folder's own 0; false when there was none.
bool forgetFolderSizes(FileList& list);
// Whether any folder of the listing carries a computed size.
bool hasFolderSizes(const FileList& list);
// A re-read by the watcher keeps the sizes of the folders it did not see change: a folder whose own
// last-write time is the same in `to` as in `from` (no entry of its own came, went or was renamed)
// keeps its size. A change deeper down does not touch that time and is not seen: the user's re-read
// computes nothing and drops every size.
void carryFolderSizes(const FileList& from, FileList& to);
// The folder entries of a listing by name (as the listing spells them), for matching results.
std::unordered_map<std::wstring_view, int> folderPositions(const FileList& list);
