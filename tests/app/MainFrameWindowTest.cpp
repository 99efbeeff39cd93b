#include "fileops/FileCopy.h"
#include "fileops/FileJob.h"
#include "fileops/TransferJob.h"
#include "keys/KeyNames.h"
#include "support/RunningProgram.h"
#include "support/SettingsFixture.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
int columnWidth(CMainFrame& frame, int column) {
    int current = 0, minimum = 0;
    frame.splitter().columnInfo(column, current, minimum);
    return current;
}

RECT outerRect(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    return rc;
}

class MainFrameWindow : public testing::Test {
protected:
    void seed(const std::wstring& text) { writeUtf16Ini(program.settingsPath(), text); }
    std::wstring saved(const wchar_t* key) { return program.setting(L"Window", key); }

    TempFolder start;
    RunningProgram program;
};
}  // namespace

TEST_F(MainFrameWindow, SavedWeightsDivideTheOuterWidthLessTheGap) {
    seed(L"[Window]\r\nleft=10\r\ntop=20\r\nright=830\r\nbottom=620\r\n"
         L"PaneWidthL=300\r\nPaneWidthR=100\r\nPaneGap=20\r\n");
    ASSERT_TRUE(program.start(start.path()));
    const RECT rc = outerRect(program.frameWindow());
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.top, 20);
    EXPECT_EQ(rc.right - rc.left, 820);
    EXPECT_EQ(columnWidth(program.frame(), 0), 600);
    EXPECT_EQ(program.frame().weightL(), 300);
    EXPECT_EQ(program.frame().gap(), 20);
}

TEST_F(MainFrameWindow, CentreSplitGivesBothColumnsTheMeanWidthAndKeepsIt) {
    ASSERT_TRUE(program.start(start.path()));
    CMainFrame& frame = program.frame();
    frame.splitter().setColumnInfo(0, 401, 0);
    frame.splitter().recalcLayout();
    const int right = columnWidth(frame, 1);
    const int gap = frame.gap();
    program.command(ID_SPLIT_CENTER);
    EXPECT_EQ(frame.weightL(), (401 + right) / 2);
    EXPECT_EQ(frame.weightR(), (401 + right) / 2);
    EXPECT_EQ(columnWidth(frame, 0), (401 + right) / 2);
    EXPECT_EQ(frame.gap(), gap);
    // A later resize keeps the even split of the outer width less the gap.
    const RECT rc = outerRect(program.frameWindow());
    MoveWindow(program.frameWindow(), rc.left, rc.top, 900, rc.bottom - rc.top, TRUE);
    pumpMessagesFor(50);
    EXPECT_EQ(columnWidth(frame, 0), (900 - gap) / 2);
}

TEST_F(MainFrameWindow, MinimisingChangesNoColumnButIsTheRectangleSeenLast) {
    ASSERT_TRUE(program.start(start.path()));
    const int before = columnWidth(program.frame(), 0);
    const int weightL = program.frame().weightL();
    ShowWindow(program.frameWindow(), SW_MINIMIZE);
    pumpMessagesFor(100);
    ASSERT_TRUE(IsIconic(program.frameWindow()));
    EXPECT_EQ(program.frame().windowRect().left, outerRect(program.frameWindow()).left);
    EXPECT_EQ(program.frame().weightL(), weightL);
    ShowWindow(program.frameWindow(), SW_RESTORE);
    pumpMessagesFor(100);
    EXPECT_EQ(columnWidth(program.frame(), 0), before);
}

TEST_F(MainFrameWindow, PlacementAndProportionSavedAtExitAreHonouredAtTheNextStart) {
    ASSERT_TRUE(program.start(start.path()));
    MoveWindow(program.frameWindow(), 40, 30, 700, 500, TRUE);
    pumpMessagesFor(50);
    program.frame().splitter().setColumnInfo(0, 200, 0);
    program.frame().splitter().recalcLayout();
    const int left = columnWidth(program.frame(), 0), right = columnWidth(program.frame(), 1);
    program.stop();

    EXPECT_EQ(saved(L"left"), L"40");
    EXPECT_EQ(saved(L"top"), L"30");
    EXPECT_EQ(saved(L"right"), L"740");
    EXPECT_EQ(saved(L"bottom"), L"530");
    EXPECT_EQ(saved(L"PaneWidthL"), std::to_wstring(left));
    EXPECT_EQ(saved(L"PaneWidthR"), std::to_wstring(right));
    EXPECT_EQ(saved(L"PaneGap"), std::to_wstring(700 - left - right));

    ASSERT_TRUE(program.start(start.path()));
    const RECT rc = outerRect(program.frameWindow());
    EXPECT_EQ(rc.left, 40);
    EXPECT_EQ(rc.top, 30);
    EXPECT_EQ(rc.right, 740);
    EXPECT_EQ(rc.bottom, 530);
    EXPECT_LE(std::abs(columnWidth(program.frame(), 0) - left), 1);
}

TEST_F(MainFrameWindow, ASavedPlacementIsBroughtOnScreenAtAUsableSizeWithBothPanesShown) {
    RECT platform{};
    {
        ASSERT_TRUE(program.start(start.path()));
        platform = outerRect(program.frameWindow());  // the size the platform gives without a record
        program.stop();
    }
    const int platformWidth = platform.right - platform.left, platformHeight = platform.bottom - platform.top;
    // The work area of the monitor nearest to a rectangle far beyond the screen: any display, with
    // whatever bars the desktop docks.
    const RECT beyond{3000, 2000, 3800, 2600};
    MONITORINFO nearest{sizeof(nearest)};
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromRect(&beyond, MONITOR_DEFAULTTONEAREST), &nearest));
    const RECT work = nearest.rcWork;
    const struct { const wchar_t* window; RECT expected; int weightL, weightR; } rows[] = {
        // Partly off the left edge, as a user may leave it: kept with its proportion.
        {L"left=-8\r\ntop=0\r\nright=500\r\nbottom=400\r\nPaneWidthL=300\r\nPaneWidthR=100\r\nPaneGap=20",
         {-8, 0, 500, 400}, 300, 100},
        // Beyond the monitor's right and bottom edges: moved into the corner of its work area.
        {L"left=3000\r\ntop=2000\r\nright=3800\r\nbottom=2600\r\nPaneWidthL=300\r\nPaneWidthR=100\r\nPaneGap=20",
         {work.right - 800, work.bottom - 600, work.right, work.bottom}, 300, 100},
        // Collapsed: the size the platform gives, the panes in halves.
        {L"left=0\r\ntop=0\r\nright=0\r\nbottom=0", {0, 0, platformWidth, platformHeight}, 1, 1},
        // A right pane shrunk to nothing comes back with a tenth.
        {L"left=10\r\ntop=20\r\nright=910\r\nbottom=620\r\nPaneWidthL=500\r\nPaneWidthR=0\r\nPaneGap=20",
         {10, 20, 910, 620}, 500, 56},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.window);
        seed(std::wstring(L"[Window]\r\n") + r.window + L"\r\n");
        ASSERT_TRUE(program.start(start.path()));
        const RECT rc = outerRect(program.frameWindow());
        EXPECT_EQ(rc.left, r.expected.left);
        EXPECT_EQ(rc.top, r.expected.top);
        EXPECT_EQ(rc.right, r.expected.right);
        EXPECT_EQ(rc.bottom, r.expected.bottom);
        EXPECT_EQ(program.frame().weightL(), r.weightL);
        EXPECT_EQ(program.frame().weightR(), r.weightR);
        EXPECT_GT(columnWidth(program.frame(), 1), 0);
        program.stop();
    }
}

TEST_F(MainFrameWindow, EveryWayOfLeavingStoresTheRestoredRectangleAndTheLastPaneWidths) {
    const struct { const char* how; int show; } rows[] = {
        {"partly off the left edge", SW_SHOWNORMAL}, {"minimised", SW_MINIMIZE}, {"maximised", SW_MAXIMIZE},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.how);
        seed(L"");
        ASSERT_TRUE(program.start(start.path()));
        MoveWindow(program.frameWindow(), -50, 30, 700, 500, TRUE);
        pumpMessagesFor(50);
        program.frame().splitter().setColumnInfo(0, 200, 0);
        program.frame().splitter().recalcLayout();
        // Taken up as at the end of a resize by the user; a maximise alone keeps the last one taken.
        SendMessageW(program.frameWindow(), WM_EXITSIZEMOVE, 0, 0);
        const int left = columnWidth(program.frame(), 0), right = columnWidth(program.frame(), 1);
        ShowWindow(program.frameWindow(), r.show);
        pumpMessagesFor(100);
        program.stop();

        EXPECT_EQ(saved(L"left"), L"-50");
        EXPECT_EQ(saved(L"top"), L"30");
        EXPECT_EQ(saved(L"right"), L"650");
        EXPECT_EQ(saved(L"bottom"), L"530");
        if (r.show != SW_MAXIMIZE) {
            EXPECT_EQ(saved(L"PaneWidthL"), std::to_wstring(left));
            EXPECT_EQ(saved(L"PaneWidthR"), std::to_wstring(right));
        }
        // A maximised window's columns are wider, in the same proportion.
        const double ratio = _wtof(saved(L"PaneWidthL").c_str()) / _wtof(saved(L"PaneWidthR").c_str());
        EXPECT_NEAR(ratio, double(left) / right, 0.02);

        ASSERT_TRUE(program.start(start.path()));
        const RECT rc = outerRect(program.frameWindow());
        EXPECT_EQ(rc.left, -50);
        EXPECT_EQ(rc.right, 650);
        EXPECT_LE(std::abs(columnWidth(program.frame(), 0) - left), 2);
        program.stop();
    }
}

TEST_F(MainFrameWindow, BarsToggleWithCheckMarksAndTheirStateSurvivesARestart) {
    ASSERT_TRUE(program.start(start.path()));
    HWND buttonBar = GetDlgItem(program.frameWindow(), ID_VIEW_BUTTON_BAR);
    HWND statusBar = GetDlgItem(program.frameWindow(), ID_VIEW_STATUS_BAR);
    ASSERT_TRUE(buttonBar && statusBar);
    EXPECT_TRUE(IsWindowVisible(buttonBar));
    EXPECT_EQ(program.frame().buttonBar().label(4), L"更新");
    program.command(ID_VIEW_BUTTON_BAR);
    EXPECT_FALSE(IsWindowVisible(buttonBar));
    CommandUI ui(ID_VIEW_BUTTON_BAR);
    program.frame().onCmdMsg(ID_VIEW_BUTTON_BAR, CommandMode::Update, &ui);
    EXPECT_FALSE(ui.checked());
    program.stop();

    ASSERT_TRUE(program.start(start.path()));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(program.frameWindow(), ID_VIEW_BUTTON_BAR)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(program.frameWindow(), ID_VIEW_STATUS_BAR)));
}

TEST_F(MainFrameWindow, QuitConfirmationEndsTheProgramOnlyOnYes) {
    ASSERT_TRUE(program.start(start.path()));
    HWND frame = program.frameWindow();
    const std::wstring title = windowText(frame);
    {
        DialogAction no(L"Vantor", [](HWND box) { clickButton(box, IDNO); });
        program.command(ID_UI_QUIT_CONFIRM);
        ASSERT_TRUE(no.finish());
    }
    pumpMessagesFor(50);
    EXPECT_TRUE(IsWindow(frame));
    std::wstring asked;
    {
        DialogAction yes(L"Vantor", [&](HWND box) {
            asked = staticTexts(box);
            clickButton(box, IDYES);
        });
        program.command(ID_UI_QUIT_CONFIRM);
        ASSERT_TRUE(yes.finish());
    }
    pumpMessagesFor(50);
    EXPECT_NE(asked.find(L"終了してもよろしいですか？"), std::wstring::npos);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(saved(L"PaneGap").empty(), false);  // the exit saved the placement
}

// Quitting while a copy runs: asked once, No keeps everything going, Yes stops the copy, waits for
// it to remove its unfinished file and ends; the same for the quit command and closing the window.
TEST_F(MainFrameWindow, QuittingDuringAJobAsksOnceAndYesLeavesNoUnfinishedFile) {
    for (const bool byCommand : {true, false}) {
        SCOPED_TRACE(byCommand ? "the quit command" : "closing the window");
        TempFolder src, dst;
        // Large enough (and sparse, so quick to make) that the copy is still running when asked.
        HANDLE file = CreateFileW((src / L"big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        LARGE_INTEGER size;
        size.QuadPart = 5LL << 30;
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
        ASSERT_TRUE(program.start(start.path()));
        HWND frame = program.frameWindow();
        const int before = FileJob::liveCount();
        startTransfer({src / L"big.bin"}, dst.path(), false, frame);
        const auto quit = [&] {
            if (byCommand) program.command(ID_UI_QUIT_CONFIRM);
            else SendMessageW(frame, WM_CLOSE, 0, 0);
        };
        std::wstring asked;
        {
            DialogAction no(L"Vantor", [&](HWND box) {
                asked = staticTexts(box);
                clickButton(box, IDNO);
            });
            quit();
            ASSERT_TRUE(no.finish());
        }
        EXPECT_NE(asked.find(L"1 個のジョブが実行中です。中止して終了しますか?"), std::wstring::npos);
        EXPECT_TRUE(IsWindow(frame));
        EXPECT_EQ(FileJob::liveCount(), before + 1);
        {
            DialogAction yes(L"Vantor", [](HWND box) { clickButton(box, IDYES); });
            quit();
            ASSERT_TRUE(yes.finish());
        }
        EXPECT_FALSE(IsWindow(frame));
        EXPECT_EQ(FileJob::liveCount(), before);
        EXPECT_FALSE(fileExists(dst / L"big.bin"));
        program.stop();
    }
}

// Quitting while a job asks its same-name question: the question is answered first. The close
// comes from the side, as the user's click would while the question's own loop runs.
TEST_F(MainFrameWindow, QuittingDuringASameNameQuestionLeavesTheQuestionToBeAnsweredFirst) {
    for (const bool byCommand : {true, false}) {
        SCOPED_TRACE(byCommand ? "the quit command" : "closing the window");
        TempFolder src, dst;
        src.writeFile(L"a.txt", "new");
        src.writeFile(L"z.txt", "after");
        dst.writeFile(L"a.txt", "old");
        ASSERT_TRUE(program.start(start.path()));
        HWND frame = program.frameWindow();
        const int before = FileJob::liveCount();
        struct Seen {
            bool refusedAtOnce = false;  // the close returned without asking anything
            bool frameStayed = false, questionStayed = false;
        } seen;
        DialogAction quitThenAbort(L"同名のファイル", [&, ui = GetCurrentThreadId()](HWND question) {
            DWORD_PTR result = 0;
            seen.refusedAtOnce = SendMessageTimeoutW(frame, byCommand ? WM_COMMAND : WM_CLOSE,
                                                     byCommand ? ID_UI_QUIT_CONFIRM : 0, 0, SMTO_NORMAL, 5000, &result) != 0;
            if (!seen.refusedAtOnce)
                if (HWND box = waitForWindow(ui, L"Vantor", 1000)) clickButton(box, IDNO);
            seen.frameStayed = IsWindow(frame) != FALSE;
            seen.questionStayed = IsWindow(question) != FALSE;
            clickButton(question, IDCANCEL);
        }, 10000);
        startTransfer({src / L"a.txt", src / L"z.txt"}, dst.path(), false, frame);
        for (int i = 0; i < 1000 && FileJob::liveCount() != before; ++i) program.pump(10);
        ASSERT_TRUE(quitThenAbort.finish());
        EXPECT_TRUE(seen.refusedAtOnce);
        EXPECT_TRUE(seen.frameStayed);
        EXPECT_TRUE(seen.questionStayed);
        EXPECT_EQ(FileJob::liveCount(), before);
        EXPECT_EQ(readFileBytes(dst / L"a.txt"), "old");  // aborted by its own question
        EXPECT_FALSE(fileExists(dst / L"z.txt"));
        // Answered, the question no longer holds the program.
        SendMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(frame));
        program.stop();
        discardQuitMessage();
    }
}

namespace {
std::wstring menuText(HWND frame, UINT id) {
    wchar_t text[256] = {};
    GetMenuStringW(GetMenu(frame), id, text, 256, MF_BYCOMMAND);
    return text;
}
}  // namespace

TEST_F(MainFrameWindow, MenuItemsShowTheirKeysAndLoseThemWithTheBinding) {
    ASSERT_TRUE(program.start(start.path()));
    HWND frame = program.frameWindow();
    EXPECT_EQ(menuText(frame, ID_FILE_COPY), L"複写(&C)\tC");
    EXPECT_EQ(menuText(frame, ID_FILE_EDIT), L"編集(&E)\tShift+Enter");
    EXPECT_EQ(menuText(frame, ID_EDIT_COPY), L"ｺﾋﾟｰ(&C)\tCtrl+C");
    EXPECT_EQ(menuText(frame, ID_DIR_PARENT), L"親ディレクトリ(&P)\tBackSpace");

    KeyAssignTable& keys = program.app().keyTable();
    for (int i = keys.count() - 1; i >= 0; --i)
        if (keys.at(i).command == ID_FILE_COPY || keys.at(i).command == ID_EDIT_COPY) keys.removeAt(i);
    keys.append({KeyModifier::kVirtualKey, VK_F5, ID_FILE_COPY, L"", L""});
    keys.append({KeyModifier::kVirtualKey | KeyModifier::kCtrl, 'C', ID_FILE_COPY, L"x", L""});
    program.frame().refreshMenuKeyTexts();
    EXPECT_EQ(menuText(frame, ID_FILE_COPY), L"複写(&C)\tF5");  // the binding with a parameter never shows
    EXPECT_EQ(menuText(frame, ID_EDIT_COPY), L"ｺﾋﾟｰ(&C)");
}

namespace {
const HANDLE stuckUntil = CreateEventW(nullptr, TRUE, FALSE, nullptr);
std::atomic<bool> stuckEntered{false};
// A read that no cancel reaches: it waits outside the platform's file calls.
BOOL WINAPI unstoppableRead(HANDLE file, LPVOID buffer, DWORD size, LPDWORD got, LPOVERLAPPED) {
    stuckEntered = true;
    WaitForSingleObject(stuckUntil, 20000);
    return ReadFile(file, buffer, size, got, nullptr);
}
}  // namespace

// Quitting with a job that will not stop: the window takes nothing while it waits, the user is
// told, and the program goes (the process then ends without tearing down what the job uses); the
// job's unfinished file does not outlive it.
TEST_F(MainFrameWindow, QuittingWithAJobThatWillNotStopTellsAndEndsWithoutIt) {
    TempFolder src, dst;
    src.writeFile(L"a.bin", std::string(1 << 20, 'a'));
    ResetEvent(stuckUntil);
    stuckEntered = false;
    const BlockRead normal = swapBlockRead(unstoppableRead);
    ASSERT_TRUE(program.start(start.path()));
    HWND frame = program.frameWindow();
    program.frame().setJobWait(300);
    const int before = FileJob::liveCount();
    startTransfer({src / L"a.bin"}, dst.path(), false, frame);
    for (int waited = 0; waited < 10000 && !stuckEntered; waited += 10) pumpMessagesFor(10);
    bool disabledWhileWaiting = false;
    std::wstring told;
    // Yes to the question, then the message that tells of the stuck job; from the side, as the
    // user would, while the window's own loops run. A message box disables the window too: it is
    // looked at once the question has gone, as soon as the wait has taken a message sent to it.
    DialogAction user(L"Vantor", [&, ui = GetCurrentThreadId()](HWND box) {
        clickButton(box, IDYES);
        while (IsWindow(box)) Sleep(5);
        SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
        disabledWhileWaiting = !IsWindowEnabled(frame);
        if (!(box = waitForWindow(ui, L"Vantor", 10000))) return;
        told = staticTexts(box);
        clickButton(box, IDOK);
    });
    SendMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(user.finish());
    EXPECT_TRUE(disabledWhileWaiting) << "the window took input while it waited for the jobs";
    EXPECT_NE(told.find(L"1 個のジョブが止まらないため、中断したまま終了します。"), std::wstring::npos) << told;
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(FileJob::liveCount(), before + 1) << "the stuck job is left to end with the process";
    SetEvent(stuckUntil);
    EXPECT_TRUE(program.pumpUntil([&] { return FileJob::liveCount() == before; }, 10000));
    swapBlockRead(normal);
    EXPECT_FALSE(fileExists(dst / L"a.bin")) << "a partial copy was left";
    program.stop();
}
