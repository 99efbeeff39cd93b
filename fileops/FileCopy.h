// Copying one file so that nothing incomplete is ever left under a name: the copy is written with
// its deletion pending until it is complete (a failure, a cancel or the end of the process removes
// it), and a copy that replaces a file is written beside it under a name of its own and takes its
// place only when complete, so the old file survives whatever goes wrong. The bytes go in large
// blocks, with a check after each, so a cancel stops within one block even in a huge file.
#pragma once
#include "framework/Handles.h"
#include <cstdint>
#include <functional>
#include <string>

// Called after each block with the bytes copied so far and the file's size; false cancels.
using CopyProgress = std::function<bool(uint64_t done, uint64_t total)>;

// A copy begun: its target claimed with its deletion pending, its source open, its bytes to go.
// Dropped unfinished, it leaves nothing behind.
struct BegunCopy {
    UniqueHandle in, out;
    FILE_BASIC_INFO basic{};
    uint64_t size = 0;
    std::wstring source, target;
    std::wstring replacing;  // the file the copy takes the place of when complete; empty for a new name
    std::wstring temporary;  // the name of its own the replacement is written under
};

// Claims the target (replacing: a name of its own beside it) and opens the source. 0, or the
// platform's error: ERROR_FILE_EXISTS for an existing target that is not to be replaced, and
// ERROR_FILE_TOO_LARGE, before any byte is written, for a source larger than `largestFile` (what
// the target's file system can hold).
DWORD beginCopy(const std::wstring& source, const std::wstring& target, bool replace, BegunCopy& copy,
                uint64_t largestFile = UINT64_MAX);
// Writes the bytes, times and attributes, and keeps the copy under its name. 0, or the platform's
// error (ERROR_REQUEST_ABORTED for a cancel) with nothing of the copy left. Where the platform's
// own copy reports progress, it writes the copy (with the file's streams, extended attributes and
// encryption) under a name of its own, which then takes the target's name; elsewhere the
// program's own block loop writes it, named streams and all.
DWORD finishCopy(BegunCopy& copy, const CopyProgress& progress);

// Copies `source` to `target` with its times and attributes. Without `replace` an existing target
// fails with ERROR_FILE_EXISTS before anything is read. 0 when done, else the platform's error
// (ERROR_REQUEST_ABORTED for a cancel).
DWORD copyFileSafely(const std::wstring& source, const std::wstring& target, bool replace, const CopyProgress& progress);

// The read of each block of the program's own copy: ReadFile. A test puts a read that blocks in
// its place, to show a cancel breaking it off; the previous one is given back.
using BlockRead = BOOL(WINAPI*)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
BlockRead swapBlockRead(BlockRead read);
