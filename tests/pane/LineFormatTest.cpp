#include "common/SettingsFile.h"
#include "pane/ListingLine.h"
#include "pane/PaneColours.h"
#include "common/SizeFormat.h"
#include <gtest/gtest.h>

namespace {
FileEntry entry(const wchar_t* name, DWORD attributes, uint64_t size, bool markedFlag = false) {
    FileEntry e{};
    e.nameText = name;
    e.attributes = attributes;
    e.size = size;
    // 2010-07-01 12:00 UTC: the same year in every time zone.
    e.writeTime = fileTimeValue({0x8C1F5000u, 0x01CB1920u});
    e.flags = markedFlag ? FileEntry::kMarked : 0;
    return e;
}
}  // namespace

TEST(Thousands, SeparatorsWidthsAndSigns) {
    const struct { int64_t v; const wchar_t* text; } rows[] = {
        {0, L"0"}, {999, L"999"}, {1000, L"1,000"}, {1234567, L"1,234,567"}, {-1000, L"-1,000"},
        {1000000, L"1,000,000"}, {INT64_MAX, L"9,223,372,036,854,775,807"},
        {INT64_MIN, L"-9,223,372,036,854,775,808"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.v);
        EXPECT_EQ(formatThousands(r.v), r.text);
        EXPECT_EQ(thousandsWidth(r.v), static_cast<int>(std::wcslen(r.text)));
    }
}

TEST(SizeCell, FitsWidthOrFallsBackToUnits) {
    const struct { int width; uint64_t size; const wchar_t* cell; } rows[] = {
        {5, 999, L"  999"}, {5, 1000, L"1,000"}, {5, 10000, L"   9K"}, {5, 123456, L" 120K"},
        {5, 5000000, L"   4M"}, {4, 1, L"----"}, {0, 1, L""}, {-3, 1, L""},
        {5, 0, L"    0"}, {7, 999999, L"999,999"}, {6, 999999, L"  976K"},
        {5, UINT64_MAX, L"\x221E    "}, {19, UINT64_MAX, L"17,592,186,044,415M"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.width << " " << r.size);
        EXPECT_EQ(formatSizeCell(r.width, r.size), r.cell);
    }
}

TEST(ListingLine, ColumnsFollowTheDisplaySettings) {
    const FileEntry file = entry(L"report.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, 123456, true);
    const FileEntry folder = entry(L"docs", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN, 0);
    const FileEntry disguised = entry(L"report\u202Efdp.exe", 0, 1);
    const FileEntry controlFirst = entry(L"\tnotes", 0, 1);
    // The columns and the name's text are one run; each marker and the text after it are more.
    const struct { LineSettings s; const FileEntry* e; const wchar_t* line; size_t runs; } rows[] = {
        {{L"", 0, false}, &file, L"*report.txt", 1},
        {{L"", 5, false}, &file, L" 120K*report.txt", 1},
        {{L"", 5, true}, &file, L"R--A  120K*report.txt", 1},
        {{L"%Y", 7, true}, &file, L"2010 R--A 123,456*report.txt", 1},
        {{L"", 7, true}, &folder, L"-H-- <dir>   docs", 1},
        {{L"", 4, false}, &folder, L"---- docs", 1},
        {{L"", 40, false}, &file, L"            123,456*report.txt", 1},  // widths beyond 19 are narrowed
        {{L"", 0, false}, &disguised, L" report<U+202E>fdp.exe", 3},
        {{L"", 0, false}, &controlFirst, L" <U+0009>notes", 3},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        const NameRuns runs = listingLineRuns(*r.e, r.s);
        EXPECT_EQ(joinedText(runs), r.line);
        EXPECT_EQ(runs.size(), r.runs);
        EXPECT_FALSE(runs.front().marker);
    }
}

TEST(ListingLine, TimesOutsideTheConvertibleRangeGiveBlanksOfTheUsualWidth) {
    FileEntry e = entry(L"old", 0, 1);
    e.writeTime = 0;  // 1601
    EXPECT_EQ(formatEntryTime(toFileTime(e.writeTime), L"%y/%m/%d %H:%M"), std::wstring(14, L' '));
    e.writeTime = UINT64_MAX;
    EXPECT_EQ(formatEntryTime(toFileTime(e.writeTime), L"%y/%m/%d"), std::wstring(8, L' '));
}

// The stored colours by attribute precedence, and in high contrast the system's: window text for
// every kind but hidden entries (grey text), the highlight for the cursor bar.
TEST(PaneColoursTest, StoredByPrecedenceAndSystemColoursInHighContrast) {
    SettingsFile s;
    const PaneColours stored = PaneColours::stored(s);
    const PaneColours system = PaneColours::ofSystem([](int index) { return COLORREF(0x100 + index); });
    const struct { DWORD attributes; COLORREF storedColour, systemColour; } rows[] = {
        {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN, s.hideColor, 0x100 + COLOR_GRAYTEXT},
        {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM, s.systemColor, 0x100 + COLOR_WINDOWTEXT},
        {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY, s.readOnlyColor, 0x100 + COLOR_WINDOWTEXT},
        {FILE_ATTRIBUTE_DIRECTORY, s.dirColor, 0x100 + COLOR_WINDOWTEXT},
        {FILE_ATTRIBUTE_ARCHIVE, s.normalColor, 0x100 + COLOR_WINDOWTEXT},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.attributes);
        EXPECT_EQ(stored.entry(r.attributes), r.storedColour);
        EXPECT_EQ(system.entry(r.attributes), r.systemColour);
    }
    EXPECT_EQ(stored.back, s.backColor);
    EXPECT_EQ(stored.cursorBar, CLR_INVALID) << "the stored bar takes the entry's colour";
    EXPECT_EQ(stored.cursorText, s.backColor);
    EXPECT_EQ(system.back, COLORREF(0x100 + COLOR_WINDOW));
    EXPECT_EQ(system.cursorBar, COLORREF(0x100 + COLOR_HIGHLIGHT));
    EXPECT_EQ(system.cursorText, COLORREF(0x100 + COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(system.markerBeside(system.hidden), system.normal);
}

TEST(HeaderTexts, FolderWithMaskAndStatusLine) {
    EXPECT_EQ(headerFolderText(L"C:\\work", L""), L"C:\\work\\*.*");
    EXPECT_EQ(headerFolderText(L"C:\\", L"*.txt"), L"C:\\*.txt");
    EXPECT_EQ(headerFolderText(L"C:\\a\u202Eb", L""), L"C:\\a<U+202E>b\\*.*");
    EXPECT_EQ(statusLineText(12, 3, 1536, 999), L"3 files / 1,536 bytes select");
    EXPECT_EQ(statusLineText(12, 0, 0, 1234567), L"12 files / 1,234,567 bytes free");
    EXPECT_EQ(statusLineText(0, 0, 0, -1), L"0 files");
    EXPECT_GE(freeBytesOfFolder(L"C:\\windows"), 0);
    EXPECT_EQ(freeBytesOfFolder(L"Q:\\nowhere"), -1);
}
