// Where a path really leads, for judging "the same item" and "inside" by what the file system
// resolves rather than by spelling: another case, a second drive letter for the same folder, a
// link or a trailing dot all spell one item in several ways.
#pragma once
#include <windows.h>
#include <string>

// The full path the file system resolves `path` to, links followed, in plain form ("C:\a\b",
// "\\server\share\b"); empty when the item cannot be opened.
std::wstring resolvedPath(const std::wstring& path);
// The full path an open item resolves to, in plain form; empty when the platform cannot tell.
std::wstring finalPathOf(HANDLE item);

// Comparisons of two resolved (or at least full) paths, without regard to case.
bool sameResolvedPath(const std::wstring& a, const std::wstring& b);
// Whether `path` is `folder` or lies anywhere below it.
bool resolvedInside(const std::wstring& path, const std::wstring& folder);

// Whether two paths lead to the same item. Compared by spelling when either cannot be resolved.
bool isSameItem(const std::wstring& a, const std::wstring& b);
// Whether `path` leads to `folder` or to something below it. A path that does not exist yet is
// judged by its nearest existing folder.
bool isSameOrInsideItem(const std::wstring& path, const std::wstring& folder);

// Whether `resolved`, where the item spelled `path` resolves, is `expected`: its folder's resolved
// path and its own name. The platform may drop trailing dots and blanks from a resolved name, so
// "a." resolving to "...\a" is still itself, unless "a" is that very item (a link "a." to "a").
bool resolvesToItsOwnPlace(const std::wstring& path, const std::wstring& resolved, const std::wstring& expected);

// Whether the folder entry `name` of the folder that resolves to `resolvedFolder` is a link (a
// junction, symbolic link or mount point) rather than a folder of its own: the platform marks it
// as a link (`attributes` and `tag` as a find record has them), or it resolves somewhere other than
// its own place in the folder (the only sign a link gives where the platform does not mark it).
// `childResolved` receives where it leads.
bool isLinkedFolder(const std::wstring& path, DWORD attributes, DWORD tag, const std::wstring& resolvedFolder,
                    const std::wstring& name, std::wstring& childResolved);
