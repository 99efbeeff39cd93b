#include "folders/DriveFolderTable.h"
#include "folders/FolderHistory.h"
#include <gtest/gtest.h>

TEST(DriveFolderTable, RecallsTheLastFolderOfADriveOrItsRootInTheLettersCase) {
    DriveFolderTable drives;
    EXPECT_EQ(drives.recall(L'd'), L"d:\\");
    EXPECT_EQ(drives.recall(L'D'), L"d:\\");  // the root set on first use stays
    EXPECT_EQ(drives.recall(L'Q'), L"Q:\\");
    drives.remember(L"c:\\Work\\Src");
    drives.remember(L"C:\\Data");
    EXPECT_EQ(drives.recall(L'c'), L"C:\\Data");  // one slot per letter, whatever its case
    EXPECT_EQ(drives.recall(L'C'), L"C:\\Data");
    drives.remember(L"\\\\server\\share");      // not a drive: nothing remembered
    drives.remember(L"");
    EXPECT_EQ(drives.recall(L'\\'), L"");
    EXPECT_EQ(drives.recall(L'1'), L"");
    EXPECT_EQ(drives.recall(L'\x00E9'), L"");  // only ASCII letters are drives
}

TEST(FolderHistory, VisitsMoveToTheHeadComparedCaseSensitivelyUpToAHundred) {
    FolderHistory history;
    history.visit(L"C:\\A");
    history.visit(L"C:\\B");
    history.visit(L"C:\\a");  // differs in case only: a folder of its own
    ASSERT_EQ(history.entries().size(), 3u);
    history.visit(L"C:\\A");  // already there: moves to the head without growing
    EXPECT_EQ(history.entries(), (std::vector<std::wstring>{L"C:\\A", L"C:\\a", L"C:\\B"}));
    EXPECT_EQ(history.entryAt(3), L"");

    for (int i = 0; i < 100; ++i) history.visit(L"D:\\" + std::to_wstring(i));
    ASSERT_EQ(history.entries().size(), 100u);
    EXPECT_EQ(history.entryAt(0), L"D:\\99");
    EXPECT_EQ(history.entryAt(99), L"D:\\0");  // the three oldest are gone
}
