// Decisions of a transfer that need no thread or window: whether a source is newer than its
// target, what a file system can hold, and whether a transfer would put a folder inside itself.
#pragma once
#include <windows.h>
#include <oleidl.h>
#include <cstdint>
#include <string>
#include <vector>

// Whether "only newer" leaves the target as it is: the source's last-write time is older, in whole
// seconds and in UTC (a change of summer time makes no file newer). Where either lies on FAT
// (`coarseTimes`), whose times go in 2-second steps, a source within 2 seconds of the target has
// the same time as far as anyone can tell, and is left too.
bool leftAsNotNewer(const FILETIME& source, const FILETIME& target, bool coarseTimes);
// Whether the file system of that name keeps last-write times in 2-second steps (FAT, FAT32).
bool hasTwoSecondTimes(const std::wstring& fileSystem);
// The largest file the file system of that name can hold: 4 GiB less a byte on FAT and FAT32.
uint64_t largestFileOn(const std::wstring& fileSystem);

// Whether transferring `sources` into `destination` would copy or move one of the source folders
// into itself or its own subtree (which would go on until the disk is full). Judged by where the
// paths resolve, so another spelling, drive letter or a link leading into the source counts too.
bool entersOwnSubtree(const std::vector<std::wstring>& sources, const std::wstring& destination);

// What dropping a file list with `keyState` held on a folder does: Control copies, Shift moves;
// otherwise a list whose first item lies on the folder's own drive (root prefix, any case) moves
// and one from elsewhere copies. An empty list does nothing (DROPEFFECT_NONE).
DWORD dropEffectFor(DWORD keyState, const std::vector<std::wstring>& paths, const std::wstring& folder);
