// The lines of the drive selection list, built from the drive mask without any window.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

struct DriveLine {
    std::wstring text;  // "C: FIXED"
    int drive;          // 0 = A ... 25 = Z; the line's item data
};

// "??????" for unknown and out-of-range types, else "(no root)", "REMOVABLE", "FIXED", ...
const wchar_t* driveTypeName(UINT type);
// The drive's letter in the requested case, ": " and the type name.
std::wstring driveLineText(int drive, UINT type, bool upper);
// One line per set bit 0 to 25 of the mask (bit 0 = A), in drive order; typeOf gives the drive type.
std::vector<DriveLine> driveLines(DWORD mask, bool upper, const std::function<UINT(int drive)>& typeOf);
// The drive letter in the requested case.
wchar_t driveLetter(int drive, bool upper);
// Whether the text starts with an upper-case ASCII letter (the list then shows upper-case letters).
bool startsWithUpperLetter(const std::wstring& text);
// The line of the drive named by the first character of `letter`, ignoring case; -1 when none.
int driveLineOf(const std::vector<DriveLine>& lines, const std::wstring& letter);
