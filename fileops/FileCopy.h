// Copying one file so that nothing incomplete is ever left under a name: the copy is written with
// its deletion pending until it is complete (a failure, a cancel or the end of the process removes
// it), and a copy that replaces a file is written beside it under a name of its own and takes its
// place only when complete, so the old file survives whatever goes wrong. The bytes go in large
// blocks, with a check after each, so a cancel stops within one block even in a huge file.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>

// Called after each block with the bytes copied so far and the file's size; false cancels.
using CopyProgress = std::function<bool(uint64_t done, uint64_t total)>;

// Copies `source` to `target` with its times and attributes. Without `replace` an existing target
// fails with ERROR_FILE_EXISTS before anything is read. 0 when done, else the platform's error
// (ERROR_REQUEST_ABORTED for a cancel).
DWORD copyFileSafely(const std::wstring& source, const std::wstring& target, bool replace, const CopyProgress& progress);
