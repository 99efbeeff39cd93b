#include "folders/DriveLines.h"
#include <iterator>

namespace {
constexpr int kDriveCount = 26;

wchar_t foldAsciiLetter(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }
}  // namespace

const wchar_t* driveTypeName(UINT type) {
    static const wchar_t* const names[] = {L"??????", L"(no root)", L"REMOVABLE", L"FIXED",
                                           L"REMOTE", L"CDROM",     L"RAMDISK"};
    return type < std::size(names) ? names[type] : names[0];
}

wchar_t driveLetter(int drive, bool upper) { return static_cast<wchar_t>((upper ? L'A' : L'a') + drive); }

std::wstring driveLineText(int drive, UINT type, bool upper) {
    return std::wstring(1, driveLetter(drive, upper)) + L": " + driveTypeName(type);
}

std::vector<DriveLine> driveLines(DWORD mask, bool upper, const std::function<UINT(int drive)>& typeOf) {
    std::vector<DriveLine> lines;
    for (int drive = 0; drive < kDriveCount; ++drive) {
        if (mask & (1u << drive)) lines.push_back({driveLineText(drive, typeOf(drive), upper), drive});
    }
    return lines;
}

bool startsWithUpperLetter(const std::wstring& text) { return !text.empty() && text[0] >= L'A' && text[0] <= L'Z'; }

int driveLineOf(const std::vector<DriveLine>& lines, const std::wstring& letter) {
    if (letter.empty()) return -1;
    const wchar_t wanted = foldAsciiLetter(letter[0]);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (driveLetter(lines[i].drive, true) == wanted) return static_cast<int>(i);
    }
    return -1;
}
