// Decisions of a transfer that need no thread or window: whether a source is older than its
// target in the user's local time, and whether a transfer would put a folder inside itself.
#pragma once
#include <windows.h>
#include <oleidl.h>
#include <string>
#include <vector>

// Whether `source` is older than `target`, both taken in local time and in whole seconds.
bool olderInWholeLocalSeconds(const FILETIME& source, const FILETIME& target);

// Whether transferring `sources` into `destination` would copy or move one of the source folders
// into itself or its own subtree (which would go on until the disk is full). Judged by where the
// paths resolve, so another spelling, drive letter or a link leading into the source counts too.
bool entersOwnSubtree(const std::vector<std::wstring>& sources, const std::wstring& destination);

// What dropping a file list with `keyState` held on a folder does: Control copies, Shift moves;
// otherwise a list whose first item lies on the folder's own drive (root prefix, any case) moves
// and one from elsewhere copies. An empty list does nothing (DROPEFFECT_NONE).
DWORD dropEffectFor(DWORD keyState, const std::vector<std::wstring>& paths, const std::wstring& folder);
