#include "folders/FolderListLine.h"
#include <gtest/gtest.h>

TEST(FolderListLine, LinesZeroToThirtyFiveAreLetteredTheRestDashedAndNamesShownAsTheyAre) {
    const struct { int index; const wchar_t* folder; const wchar_t* line; } rows[] = {
        {0, L"C:\\WORK", L"[0] C:\\WORK"}, {9, L"", L"[9] "},     {10, L"x", L"[A] x"},
        {12, L"D:\\", L"[C] D:\\"},        {35, L"", L"[Z] "},    {36, L"C:\\a", L"--- C:\\a"},
        {49, L"", L"--- "},                {99, L"\\\\s\\x", L"--- \\\\s\\x"},
        {1, L"C:\\a\u202Eb", L"[1] C:\\a<U+202E>b"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.index);
        EXPECT_EQ(folderLineText(r.index, r.folder), r.line);
    }
    EXPECT_EQ(hotLetter(35), L'Z');
    EXPECT_EQ(hotLetter(36), L'\0');
    EXPECT_EQ(hotLetter(-1), L'\0');
}
