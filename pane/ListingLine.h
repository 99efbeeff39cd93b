// The text and colour of a listing line and the texts of a pane's header, without any drawing.
#pragma once
#include "common/VisibleName.h"
#include "listing/FileEntry.h"
#include <cstdint>
#include <string>

class SettingsFile;

// The display settings a listing line depends on.
struct LineSettings {
    std::wstring timeFormat;  // empty hides the date
    int sizeWidth = 5;        // 0 or less hides the size column
    bool showAttributes = true;

    static LineSettings from(const SettingsFile& settings);
};

// Widest size column drawn; wider settings are narrowed to it.
constexpr int kMaxSizeWidth = 19;

// The size cell of a folder whose size was computed: the usual format, with "≥" in front of a lower bound.
std::wstring sizedFolderCell(int width, const FileEntry& entry);
// Date, attribute letters, size cell, mark and the name as shown (see VisibleName.h), as runs: the
// columns join the name's first run when that is text, so a line without markers is one run.
NameRuns listingLineRuns(const FileEntry& entry, const LineSettings& settings);
// What a screen reader says of an entry besides its name: its kind, then the size, date and
// attributes as the line shows them (attributes in words), each shown column once.
std::wstring entryDescription(const FileEntry& entry, const LineSettings& settings);
// The last write time in local time through the time format. A time the C library cannot convert
// gives blanks as wide as the format's usual output, so the columns stay aligned.
std::wstring formatEntryTime(const FILETIME& utc, const std::wstring& format);
// "<folder>\<mask>" as shown, with "*.*" for an empty mask.
std::wstring headerFolderText(const std::wstring& folder, const std::wstring& mask);
// Status line: the marked totals, or the file count and free space (freeBytes < 0: unknown).
std::wstring statusLineText(int fileCount, int markedCount, uint64_t markedBytes, int64_t freeBytes);
// The bytes free to the user in a folder's volume; -1 when the platform cannot tell. A platform call
// that may wait long on a share: never made on the user-interface thread.
int64_t freeBytesOfFolder(const std::wstring& folder);
// The platform call behind it, GetDiskFreeSpaceExW; a test puts one that blocks in its place. The
// previous one is given back.
using FreeSpaceCall = BOOL(WINAPI*)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
FreeSpaceCall swapFreeSpaceCall(FreeSpaceCall call);
