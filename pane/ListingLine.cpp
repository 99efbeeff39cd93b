#include "pane/ListingLine.h"
#include "common/PathUtil.h"
#include "common/SettingsFile.h"
#include "common/SizeFormat.h"
#include <algorithm>
#include <ctime>
#include <cwchar>
#include <cwctype>
#include <utility>

LineSettings LineSettings::from(const SettingsFile& settings) {
    return {settings.timeFormat, settings.fileSizeCols, settings.fileAttributes != 0};
}

std::wstring formatEntryTime(const FILETIME& utc, const std::wstring& format) {
    constexpr int64_t kUnixEpoch = 116444736000000000LL;  // 1970-01-01 in 100 ns units since 1601
    const uint64_t ticks = (static_cast<uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
    const __time64_t seconds = static_cast<__time64_t>((static_cast<int64_t>(ticks) - kUnixEpoch) / 10000000);
    wchar_t buffer[256] = {};
    struct tm local{};
    if (static_cast<int64_t>(ticks) >= kUnixEpoch && _localtime64_s(&local, &seconds) == 0) {
        wcsftime(buffer, 256, format.c_str(), &local);
        return buffer;
    }
    // Out of range: as many blanks as a usual date takes in this format.
    struct tm sample{};
    sample.tm_year = 100;
    sample.tm_mday = 1;
    const size_t length = wcsftime(buffer, 256, format.c_str(), &sample);
    return std::wstring(length, L' ');
}

std::wstring sizedFolderCell(int width, const FileEntry& entry) {
    // A lower bound says so in its first column; the figure keeps the column's usual format.
    if (!entry.sizeIsLowerBound() || width < 2) return formatSizeCell(width, entrySize(entry));
    return L"\u2265" + formatSizeCell(width - 1, entrySize(entry));
}

NameRuns listingLineRuns(const FileEntry& entry, const LineSettings& s) {
    std::wstring line;
    if (!s.timeFormat.empty()) line += formatEntryTime(toFileTime(entry.writeTime), s.timeFormat) + L" ";
    if (s.showAttributes) {
        const DWORD a = entry.attributes;
        line += (a & FILE_ATTRIBUTE_READONLY) ? L'R' : L'-';
        line += (a & FILE_ATTRIBUTE_HIDDEN) ? L'H' : L'-';
        line += (a & FILE_ATTRIBUTE_SYSTEM) ? L'S' : L'-';
        line += (a & FILE_ATTRIBUTE_ARCHIVE) ? L'A' : L'-';
        line += L' ';
    }
    if (s.sizeWidth > 0) {
        const int width = s.sizeWidth > kMaxSizeWidth ? kMaxSizeWidth : s.sizeWidth;
        if (entry.isFolder() && entry.isSized()) {
            line += sizedFolderCell(width, entry);
        } else if (entry.isFolder()) {
            // "<dir>" needs five characters; a narrower column shows dashes as files do.
            line += width < 5 ? std::wstring(static_cast<size_t>(width), L'-')
                              : L"<dir>" + std::wstring(static_cast<size_t>(width - 5), L' ');
        } else {
            line += formatSizeCell(width, entrySize(entry));
        }
    }
    line += entry.isMarked() ? L'*' : L' ';
    NameRuns runs = visibleNameRuns(entry.name());
    if (!runs.empty() && !runs.front().marker) {
        runs.front().text.insert(0, line);
    } else {
        runs.insert(runs.begin(), NameRun{std::move(line), false});
    }
    return runs;
}

std::wstring entryDescription(const FileEntry& entry, const LineSettings& s) {
    std::wstring text = entry.isParent() ? L"親フォルダ" : entry.isFolder() ? L"フォルダ" : L"ファイル";
    if (s.sizeWidth > 0 && (!entry.isFolder() || entry.isSized())) {
        const int width = s.sizeWidth > kMaxSizeWidth ? kMaxSizeWidth : s.sizeWidth;
        const std::wstring cell = formatSizeCell(width, entrySize(entry));
        const std::wstring shown = cell.substr(std::min(cell.find_first_not_of(L' '), cell.size()));
        const wchar_t* atLeast = entry.sizeIsLowerBound() ? L"以上" : L"";
        // A plain number is bytes; a cell in K, M or G carries its unit, and dashes say nothing.
        if (!shown.empty() && iswdigit(shown.back())) text += L", " + shown + L" バイト" + atLeast;
        else if (shown.find(L'-') == std::wstring::npos) text += L", " + shown + atLeast;
    }
    if (!s.timeFormat.empty()) {
        const std::wstring time = formatEntryTime(toFileTime(entry.writeTime), s.timeFormat);
        if (time.find_first_not_of(L' ') != std::wstring::npos) text += L", " + time;
    }
    if (s.showAttributes) {
        const struct { DWORD bit; const wchar_t* word; } words[] = {
            {FILE_ATTRIBUTE_READONLY, L"読み取り専用"}, {FILE_ATTRIBUTE_HIDDEN, L"隠し"},
            {FILE_ATTRIBUTE_SYSTEM, L"システム"}, {FILE_ATTRIBUTE_ARCHIVE, L"アーカイブ"}};
        for (const auto& w : words)
            if (entry.attributes & w.bit) text += std::wstring(L", ") + w.word;
    }
    return text;
}

std::wstring headerFolderText(const std::wstring& folder, const std::wstring& mask) {
    return visibleName(ensureTrailingBackslash(folder) + (mask.empty() ? L"*.*" : mask));
}

std::wstring statusLineText(int fileCount, int markedCount, uint64_t markedBytes, int64_t freeBytes) {
    wchar_t text[128];
    if (markedCount > 0) {
        swprintf(text, 128, L"%d files / %ls bytes select", markedCount,
                 formatThousands(static_cast<int64_t>(markedBytes)).c_str());
    } else if (freeBytes >= 0) {
        swprintf(text, 128, L"%d files / %ls bytes free", fileCount, formatThousands(freeBytes).c_str());
    } else {
        swprintf(text, 128, L"%d files", fileCount);
    }
    return text;
}

namespace {
FreeSpaceCall freeSpaceCall = GetDiskFreeSpaceExW;
}

FreeSpaceCall swapFreeSpaceCall(FreeSpaceCall call) { return std::exchange(freeSpaceCall, call); }

int64_t freeBytesOfFolder(const std::wstring& folder) {
    // Asked of the folder itself, not of its drive's root: the answer then honours the user's quota
    // and a volume mounted in a folder.
    ULARGE_INTEGER available{};
    if (!freeSpaceCall(ensureTrailingBackslash(folder).c_str(), &available, nullptr, nullptr)) return -1;
    return static_cast<int64_t>(available.QuadPart);
}
