// Which reparse points are links. Only the platform's name surrogates are: junctions, mount
// points and symbolic links stand for another item. Every other reparse point is the item itself
// under a file system filter's care (a cloud placeholder, a deduplicated or WIM-backed file) and
// is listed, copied, moved, deleted and counted as the file or folder it is.
#pragma once
#include <windows.h>
#include <string>

// Whether a reparse point of this tag is a link.
bool isLinkTag(DWORD tag);
// Whether an item with these attributes and this tag (a find record's dwReserved0) is a link.
bool marksALink(DWORD attributes, DWORD tag);
// Whether a listed item is to be taken for a link and never entered: a link by its tag, or a reparse
// point whose tag the platform does not give (so what it stands for cannot be told).
bool listedAsLink(DWORD attributes, DWORD tag);
// The reparse tag of an item with these attributes: 0 without asking when it is no reparse point.
DWORD reparseTagFor(const std::wstring& path, DWORD attributes);
// The reparse tag of the item `path` names (as itself, never through what it leads to, and without
// reading a cloud file's data); 0 for an item that is no reparse point or cannot be found.
DWORD reparseTagOf(const std::wstring& path);
