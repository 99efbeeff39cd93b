#include "folders/DriveLines.h"
#include <gtest/gtest.h>

namespace {
constexpr DWORD bit(wchar_t letter) { return 1u << (letter - L'A'); }

std::vector<std::wstring> textsOf(const std::vector<DriveLine>& lines) {
    std::vector<std::wstring> texts;
    for (const DriveLine& line : lines) texts.push_back(line.text);
    return texts;
}

UINT typeOfSampleDrive(int drive) {
    switch (drive) {
    case 0: return DRIVE_REMOVABLE;
    case 2: return DRIVE_FIXED;
    case 16: return DRIVE_REMOTE;
    case 24: return 7;  // a type the platform may add later
    default: return DRIVE_CDROM;
    }
}
}  // namespace

TEST(DriveLines, OneLinePerDriveOfTheMaskInDriveOrderInTheRequestedCase) {
    const DWORD mask = bit(L'Q') | bit(L'A') | bit(L'C');
    const auto upper = driveLines(mask, true, &typeOfSampleDrive);
    EXPECT_EQ(textsOf(upper), (std::vector<std::wstring>{L"A: REMOVABLE", L"C: FIXED", L"Q: REMOTE"}));
    ASSERT_EQ(upper.size(), 3u);
    EXPECT_EQ(upper[0].drive, 0);
    EXPECT_EQ(upper[1].drive, 2);
    EXPECT_EQ(upper[2].drive, 16);

    EXPECT_EQ(textsOf(driveLines(mask, false, &typeOfSampleDrive)),
              (std::vector<std::wstring>{L"a: REMOVABLE", L"c: FIXED", L"q: REMOTE"}));
    // Bits above Z are not drives; Z itself is. Unknown types show question marks.
    EXPECT_EQ(textsOf(driveLines(0xFC000000u | bit(L'Z') | bit(L'Y'), true, &typeOfSampleDrive)),
              (std::vector<std::wstring>{L"Y: ??????", L"Z: CDROM"}));
    EXPECT_TRUE(driveLines(0, true, &typeOfSampleDrive).empty());
}

TEST(DriveLines, ChosenLetterFindsItsLineIgnoringCaseAndDecidesTheCase) {
    const auto lines = driveLines(bit(L'A') | bit(L'C') | bit(L'Q'), true, &typeOfSampleDrive);
    const struct { const wchar_t* chosen; int line; bool upper; } rows[] = {
        {L"C", 1, true},  {L"c", 1, false}, {L"q", 2, false}, {L"A", 0, true},
        {L"D", -1, true}, {L"\\", -1, false}, {L"", -1, false}, {L"1", -1, false}, {L"[", -1, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.chosen);
        EXPECT_EQ(driveLineOf(lines, r.chosen), r.line);
        EXPECT_EQ(startsWithUpperLetter(r.chosen), r.upper);
    }
}
