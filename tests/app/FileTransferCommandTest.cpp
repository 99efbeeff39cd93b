#include "fileops/FileJob.h"
#include "support/FileLinks.h"
#include "support/RunningProgram.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
// The left pane in a source folder, the right one in a destination folder.
class FileTransferCommand : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) src.writeFile(name, "x");
        src.makeFolder(L"sub");
        ASSERT_TRUE(program.start(src.path()));
        program.pane(1).changeFolder(dst.path(), false);
        program.settle();
    }
    CVantorView& left() { return program.pane(0); }
    int at(const wchar_t* name) { return left().listing().index().findName(name, 0); }
    void mark(const wchar_t* name) {
        left().listing().list().setMark(left().listing().index().positionAt(at(name)), MarkMode::Mark);
    }
    // Runs a command and lets the job it started finish; false when a job was left behind.
    bool run(UINT id) {
        const int before = FileJob::liveCount();
        program.command(id);
        for (int i = 0; i < 200 && FileJob::liveCount() != before; ++i) program.pump(50);
        return FileJob::liveCount() == before;
    }
    // The text of the message box a command shows, answered with OK.
    std::wstring messageOf(UINT id) {
        std::wstring text;
        DialogAction answer(L"Vantor", [&](HWND box) {
            text = staticTexts(box);
            clickButton(box, IDOK);
        });
        program.command(id);
        answer.finish();
        return text;
    }

    TempFolder src, dst;
    RunningProgram program;
};
}  // namespace

TEST_F(FileTransferCommand, CopiesTheMarkedEntriesElseTheCursorEntryAndClearsTheMarks) {
    mark(L"a.txt");
    mark(L"c.txt");
    left().setCursor(at(L"b.txt"));
    ASSERT_TRUE(run(ID_FILE_COPY));
    EXPECT_TRUE(fileExists(dst / L"a.txt"));
    EXPECT_TRUE(fileExists(dst / L"c.txt"));
    EXPECT_FALSE(fileExists(dst / L"b.txt"));
    EXPECT_EQ(left().listing().list().markedCount(), 0);

    ASSERT_TRUE(run(ID_FILE_MOVE));  // nothing marked now: the cursor entry
    EXPECT_TRUE(fileExists(dst / L"b.txt"));
    EXPECT_FALSE(fileExists(src / L"b.txt"));

    // On ".." with nothing marked there is nothing to transfer and no job.
    left().setCursor(at(L".."));
    const int before = FileJob::liveCount();
    program.command(ID_FILE_COPY);
    EXPECT_EQ(FileJob::liveCount(), before);
}

TEST_F(FileTransferCommand, RefusesTheSameFolderAndAFolderIntoItselfKeepingTheMarks) {
    // The same folder however the other pane reaches it: as spelled, in another case, through a link.
    ASSERT_TRUE(makeLink(dst / L"via", src.path()));
    for (const std::wstring& same : {src.path(), std::wstring(CharUpperW(std::wstring(src.path()).data())), dst / L"via"}) {
        program.pane(1).changeFolder(same, false);
        program.settle();
        EXPECT_NE(messageOf(ID_FILE_COPY).find(L"転送元と転送先が同じです"), std::wstring::npos);
    }
    removeLink(dst / L"via");

    program.pane(1).changeFolder(src / L"sub", false);
    program.settle();
    mark(L"sub");
    mark(L"a.txt");
    EXPECT_NE(messageOf(ID_FILE_COPY).find(L"フォルダをそれ自身の中へ転送することはできません"), std::wstring::npos);
    EXPECT_EQ(left().listing().list().markedCount(), 2);
    EXPECT_FALSE(fileExists(src / L"sub\\a.txt"));
}

// The job's window opens hidden and later shows itself, but the keys typed meanwhile stay with
// the pane: Space and Down mark and move there, and the job goes on until its own Cancel.
TEST_F(FileTransferCommand, ARunningJobNeverTakesTheKeysTypedForThePane) {
    HANDLE file = CreateFileW((src / L"big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 5LL << 30;  // sparse: quick to make, and still copying when the window shows
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    program.command(ID_VIEW_RENEW);
    left().setCursor(at(L"big.bin"));
    const int before = FileJob::liveCount();
    // The right pane shows the target, where the 5 GB grow: it re-reads while the job runs.
    program.settleWithout(1);
    program.command(ID_FILE_COPY);
    ASSERT_EQ(FileJob::liveCount(), before + 1);
    HWND job = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM found) {
        if (windowText(hwnd) == L"ファイル転送") *reinterpret_cast<HWND*>(found) = hwnd;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&job));
    ASSERT_NE(job, nullptr);

    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "window shown" : "window still hidden");
        if (shown) {
            for (int waited = 0; waited < 10000 && !IsWindowVisible(job); waited += 50) program.pump(50);
            ASSERT_TRUE(IsWindowVisible(job));
        }
        EXPECT_EQ(GetFocus(), left().hwnd());
        left().setCursor(at(L"a.txt"));
        const int cursor = left().listing().cursor();
        program.pressKey(VK_SPACE, RunningProgram::kNoModifier, GetFocus());
        EXPECT_EQ(left().listing().cursor(), cursor + 1) << "Space marked the entry and moved down in the pane";
        EXPECT_EQ(FileJob::liveCount(), before + 1) << "the job goes on";
    }
    SendMessageW(job, WM_COMMAND, IDCANCEL, 0);
    for (int i = 0; i < 200 && FileJob::liveCount() != before; ++i) program.pump(50);
    EXPECT_EQ(FileJob::liveCount(), before);
    EXPECT_FALSE(fileExists(dst / L"big.bin"));
}
