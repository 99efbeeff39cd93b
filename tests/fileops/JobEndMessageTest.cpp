// The message at the end of a job that passed over items: what it says was done is true, and it
// fits the screen whatever the paths.
#include "resource.h"
#include "support/TempFolder.h"
#include "JobDriver.h"
#include <gtest/gtest.h>

TEST(JobEndMessage, TellsWhatWasDoneAndFitsASmallScreen) {
    const struct Row {
        const char* what;
        bool remove;                        // a delete job, else a copy
        std::vector<std::wstring> sources;  // in the source folder; a name that starts with "-" is missing
        std::vector<Answers::Answer> answers;
        const wchar_t* firstLine;
    } rows[] = {
        {"every item failed", false, {L"-1", L"-2"}, {}, L"2 個の項目を処理できませんでした。処理できた項目はありません。"},
        {"one failed, the rest skipped", false, {L"-1", L"a.txt", L"b.txt"},
         {{IDC_CONFLICT_SKIP, nullptr, IDC_CONFLICT_ALL}},
         L"1 個の項目を処理できませんでした。処理できた項目はありません。"},
        {"one failed, two copied", false, {L"-1", L"c.txt", L"d.txt"}, {},
         L"1 個の項目を処理できませんでした。2 個の項目は処理しました。"},
        {"one failed, one deleted", true, {L"-1", L"c.txt"}, {},
         L"1 個の項目を処理できませんでした。1 個の項目は処理しました。"},
        {"a path of 262 characters", false, {L"-long"}, {},
         L"1 個の項目を処理できませんでした。処理できた項目はありません。"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder src, dst;
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) src.writeFile(name, "new");
        for (const wchar_t* name : {L"a.txt", L"b.txt"}) dst.writeFile(name, "old");
        const std::wstring longPath = src / (L"-" + std::wstring(262 - src.path().size() - 2, L'x'));
        std::vector<std::wstring> paths;
        for (const std::wstring& name : r.sources) paths.push_back(name == L"-long" ? longPath : src / name);
        Answers answers(r.answers);
        JobReport report;
        if (r.remove) ASSERT_TRUE(runItemJob<DeleteJob>(paths));
        else ASSERT_TRUE(transfer(paths, dst.path(), false));
        answers.finish();
        const std::wstring told = report.finish();
        EXPECT_EQ(told.substr(0, told.find(L'\n')), r.firstLine) << told;
        // The screen the program is meant for is at least 1024 pixels wide.
        EXPECT_LE(report.widestBox(), 1024);
        if (paths.front() == longPath) {
            ASSERT_EQ(longPath.size(), 262u);
            EXPECT_EQ(told.find(longPath), std::wstring::npos) << told;
            // Cut in its middle: where it is and the end of its name both show.
            EXPECT_NE(told.find(src.path() + L"\\-xxx"), std::wstring::npos) << told;
            EXPECT_NE(told.find(longPath.substr(longPath.size() - 20)), std::wstring::npos) << told;
        }
    }
}
