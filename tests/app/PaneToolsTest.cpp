// Folder sizes and the two panes' compare through the real windows: keys in, figures and marks out.
#include "fileops/FileJob.h"
#include "pane/ListingLine.h"
#include "support/FileLinks.h"
#include "support/RunningProgram.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <set>

namespace {
constexpr uint64_t kMinute = 600000000ull;

void setWriteTime(const std::wstring& path, uint64_t time) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 7, nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME t = toFileTime(time);
    SetFileTime(file, nullptr, nullptr, &t);
    CloseHandle(file);
}

const FileEntry* entryNamed(CVantorView& pane, const wchar_t* name) {
    const int at = pane.listing().index().findName(name, 0);
    return at < 0 ? nullptr : pane.listing().index().entryAt(at);
}

std::set<std::wstring> markedNames(CVantorView& pane) {
    std::set<std::wstring> names;
    for (const FileEntry& e : pane.listing().list().entries())
        if (e.isMarked()) names.insert(e.name());
    return names;
}
}  // namespace

TEST(PaneTools, F8ShowsAFoldersSizeInItsSizeColumnAndTheMarkedTotalsUntilTheUserRereads) {
    TempFolder work, outside;
    work.makeFolder(L"sub");
    work.makeFolder(L"sub\\deeper");
    work.writeFile(L"sub\\a.bin", std::string(3000, 'a'));
    work.writeFile(L"sub\\deeper\\b.bin", std::string(500, 'b'));
    outside.writeFile(L"big.bin", std::string(9000, 'x'));
    ASSERT_TRUE(makeLink(work / L"link", outside.path()));
    RunningProgram program;
    ASSERT_TRUE(program.start(work.path()));
    program.settle();
    CVantorView& pane = program.pane(0);
    for (const wchar_t* name : {L"sub", L"link"})
        pane.listing().list().setMark(pane.listing().index().positionAt(pane.listing().index().findName(name, 0)), MarkMode::Mark);

    program.pressKey(VK_F8);
    ASSERT_TRUE(program.pumpUntil([&] { return !pane.toolRunning() && entryNamed(pane, L"sub")->isSized(); }));
    const FileEntry& sub = *entryNamed(pane, L"sub");
    EXPECT_EQ(sub.size, 3500u);
    EXPECT_FALSE(sub.sizeIsLowerBound());
    EXPECT_EQ(sizedFolderCell(5, sub), L"3,500");
    EXPECT_EQ(listingLineRuns(sub, LineSettings{L"", 5, false}).front().text, L"3,500*sub");
    EXPECT_EQ(entryNamed(pane, L"link")->size, 0u) << "the link was entered";
    EXPECT_EQ(pane.listing().list().markedBytes(), 3500u);
    EXPECT_NE(pane.listing().statusNote().find(L"リンク 1 個は 0 バイト"), std::wstring::npos) << pane.listing().statusNote();
    EXPECT_NE(pane.listing().statusNote().find(L"2 ファイル"), std::wstring::npos) << pane.listing().statusNote();

    // The watcher's re-read after a new file beside it keeps the size: the folder itself did not change.
    work.writeFile(L"new.txt", "n");
    ASSERT_TRUE(program.pumpUntil([&] { return entryNamed(pane, L"new.txt") != nullptr; }));
    EXPECT_TRUE(entryNamed(pane, L"sub")->isSized());
    EXPECT_EQ(pane.listing().list().markedBytes(), 3500u);

    program.pressKey(VK_F5);  // the user's re-read
    program.settle();
    EXPECT_FALSE(entryNamed(pane, L"sub")->isSized());
    EXPECT_EQ(pane.listing().list().markedBytes(), 0u);
    removeLink(work / L"link");
}

TEST(PaneTools, CompareMarksWhatDiffersAndCopyingEachWayMakesBothFoldersAlike) {
    TempFolder left, right;
    const uint64_t base = 133000000000000000ull;
    for (const wchar_t* name : {L"same.txt", L"newer-left.txt", L"newer-right.txt"}) {
        left.writeFile(name, "1234");
        right.writeFile(name, "1234");
        setWriteTime(left / name, base);
        setWriteTime(right / name, base);
    }
    setWriteTime(left / L"newer-left.txt", base + kMinute);
    setWriteTime(right / L"newer-right.txt", base + kMinute);
    left.writeFile(L"only-left.txt", "l");
    right.writeFile(L"ONLY-RIGHT.txt", "r");
    left.makeFolder(L"Folder");
    right.makeFolder(L"folder");  // the same folder whatever its case: unmarked
    RunningProgram program;
    ASSERT_TRUE(program.start(left.path()));
    program.pane(1).changeFolder(right.path(), false);
    program.settle();
    const auto compare = [&](int rule) {
        DialogAction answer(L"比較マーク", [rule](HWND dialog) {
            CheckRadioButton(dialog, IDC_COMPARE_TIME_SIZE, IDC_COMPARE_CONTENT, rule);
            clickButton(dialog, IDOK);
        });
        program.pressKey(VK_HOME, RunningProgram::kCtrl);
        EXPECT_TRUE(answer.finish());
        EXPECT_TRUE(program.pumpUntil([&] { return !program.pane(0).toolRunning() && !program.pane(1).toolRunning(); }));
        program.pump(50);
    };
    compare(IDC_COMPARE_TIME_SIZE);
    EXPECT_EQ(markedNames(program.pane(0)), (std::set<std::wstring>{L"newer-left.txt", L"only-left.txt"}));
    EXPECT_EQ(markedNames(program.pane(1)), (std::set<std::wstring>{L"newer-right.txt", L"ONLY-RIGHT.txt"}));

    // C on each side copies its marked newer files over; the question about the older one is answered.
    const auto copyMarked = [&] {
        const int before = FileJob::liveCount();
        DialogAction overwrite(L"同名のファイル", [](HWND dialog) {
            CheckRadioButton(dialog, IDC_CONFLICT_ONLY_NEWER, IDC_CONFLICT_RENAME, IDC_CONFLICT_OVERWRITE);
            clickButton(dialog, IDOK);
        }, 30000);  // a program's first job finds out what the platform can do first, which takes a while
        program.command(ID_FILE_COPY);
        // The question is shown from a message the job posts: the window's messages are pumped
        // until it has been answered.
        EXPECT_TRUE(program.pumpUntil([&] { return overwrite.ran(); }, 30000));
        EXPECT_TRUE(overwrite.finish());
        EXPECT_TRUE(program.pumpUntil([&] { return FileJob::liveCount() == before; }, 30000));
        program.settle();
    };
    copyMarked();
    program.command(ID_UI_ACTIVE_TOGGLE);
    copyMarked();
    ASSERT_TRUE(program.pumpUntil([&] { return program.pane(0).listing().list().fileCount() == 6 &&
                                               program.pane(1).listing().list().fileCount() == 6; }));
    compare(IDC_COMPARE_TIME_SIZE);
    EXPECT_TRUE(markedNames(program.pane(0)).empty());
    EXPECT_TRUE(markedNames(program.pane(1)).empty());

    // By content, files of one size and time that hold other bytes differ.
    left.writeFile(L"same.txt", "abcd");
    setWriteTime(left / L"same.txt", base);
    compare(IDC_COMPARE_SIZE);
    EXPECT_TRUE(markedNames(program.pane(0)).empty());
    compare(IDC_COMPARE_CONTENT);
    EXPECT_EQ(markedNames(program.pane(0)), (std::set<std::wstring>{L"same.txt"}));
    EXPECT_EQ(markedNames(program.pane(1)), (std::set<std::wstring>{L"same.txt"}));
}
