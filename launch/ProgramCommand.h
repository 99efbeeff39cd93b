// What picking a program in a dialog fills in, the same in every dialog that offers it.
#pragma once
#include "launch/StoredCommand.h"
#include <string>

// The command and start folder for a picked program: the program with its cursor entry as a
// quoted full path, started in the program's own folder. A program path with a blank is quoted, so
// the platform never takes its first word for another program ("C:\Program.exe" for
// "C:\Program Files\..."), and a program at a drive's root starts in the root, not in the drive's
// current folder ("C:").
StoredCommand commandForProgram(const std::wstring& programPath);

// The file-open dialog's filter for programs (pairs of zero-terminated texts, ending with an empty
// one) and its default extension, which the platform wants without "*." ("exe").
extern const wchar_t kProgramFilter[];
extern const wchar_t kProgramExtension[];
