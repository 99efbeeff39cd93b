// The forms a list of files takes between programs, on the clipboard and in drag and drop: the
// file list block (CF_HDROP), the preferred drop effect, and the shell's array of item-identifier
// lists. Every block is a movable global memory block that the clipboard or a data object can own.
#pragma once
#include <windows.h>
#include <oleidl.h>
#include <shellapi.h>
#include <optional>
#include <string>
#include <vector>

// Drop effects as the platform numbers them.
constexpr DWORD kEffectCopy = DROPEFFECT_COPY;                                      // 1
constexpr DWORD kEffectMove = DROPEFFECT_MOVE;                                      // 2
constexpr DWORD kEffectCopyOrLink = DROPEFFECT_COPY | DROPEFFECT_LINK;              // 5, offered by copy
constexpr DWORD kEffectAny = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;  // 7, offered by a drag

CLIPFORMAT preferredDropEffectFormat();
CLIPFORMAT shellIdListFormat();

// The file list block of full paths: a 20-byte header (names at offset 20, no drop point, wide
// names), each path with its terminating zero, then one more zero. Null when `paths` is empty or
// memory runs out.
HGLOBAL makeFileListBlock(const std::vector<std::wstring>& paths);
// The paths of a file list block, in order, wide or not; a block that ends without its terminators
// gives the names it holds whole.
std::vector<std::wstring> readFileList(HDROP list);

// The file list a data object offers; none when it offers no file list block.
std::optional<std::vector<std::wstring>> droppedFiles(IDataObject* data);

// A 4-byte block holding one drop effect; null when memory runs out.
HGLOBAL makeDropEffectBlock(DWORD effect);
// The drop effect a block holds; copy when it cannot be read.
DWORD readDropEffect(HGLOBAL block);

// The shell's item-identifier lists of `folder` followed by those of `names` inside it (a name the
// shell cannot resolve is left out). Null when the folder itself cannot be resolved.
HGLOBAL makeShellIdListArray(HWND owner, const std::wstring& folder, const std::vector<std::wstring>& names);
