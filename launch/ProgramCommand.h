// What picking a program in a dialog fills in, the same in every dialog that offers it.
#pragma once
#include "launch/StoredCommand.h"
#include <string>
#include <windows.h>
#include <commdlg.h>

// The command and start folder for a picked program: the program with its cursor entry as a
// quoted full path, started in the program's own folder. A program path with a blank is quoted, so
// the platform never takes its first word for another program ("C:\Program.exe" for
// "C:\Program Files\..."), and a program at a drive's root starts in the root, not in the drive's
// current folder ("C:").
StoredCommand commandForProgram(const std::wstring& programPath);

// The file-open dialog's request for a program, writing the choice into `path` (`capacity`
// characters): programs listed first, "exe" added to a name typed without an extension (the
// platform wants the extension without "*."), and only an existing file taken.
OPENFILENAMEW programPickRequest(HWND owner, wchar_t* path, DWORD capacity);

// The program the user chooses in the file-open dialog; empty when cancelled.
std::wstring pickProgram(HWND owner);
