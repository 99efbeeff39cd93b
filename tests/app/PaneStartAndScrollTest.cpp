#include "support/RunningProgram.h"
#include "support/SettingsFixture.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
std::wstring historyKeys(const std::wstring& section, const std::vector<std::wstring>& folders) {
    std::wstring text = L"[" + section + L"]\r\n";
    for (size_t i = 0; i < folders.size(); ++i) text += L"D" + std::to_wstring(i) + L"=" + folders[i] + L"\r\n";
    return text;
}
}  // namespace

TEST(PaneStart, EachPaneStartsInTheLastFolderOfItsOwnHistory) {
    TempFolder start, one, two;
    RunningProgram program;
    writeUtf16Ini(program.settingsPath(),
                  historyKeys(L"Hist0", {one.path(), start.path()}) + historyKeys(L"Hist1", {two.path()}));
    ASSERT_TRUE(program.start(start.path()));
    EXPECT_EQ(program.pane(0).folder(), one.path());
    EXPECT_EQ(program.pane(1).folder(), two.path());
    EXPECT_EQ(program.pane(0).history().entries().size(), 2u);
    program.stop();
    // The histories are written back whole at exit, each to its own section.
    EXPECT_EQ(program.setting(L"Hist0", L"D0"), one.path());
    EXPECT_EQ(program.setting(L"Hist0", L"D1"), start.path());
    EXPECT_EQ(program.setting(L"Hist1", L"D0"), two.path());
}

TEST(PaneStart, AFolderGoneSinceTheLastRunLeavesThePaneInTheStartFolder) {
    TempFolder start;
    RunningProgram program;
    writeUtf16Ini(program.settingsPath(), historyKeys(L"Hist0", {start / L"removed"}));
    ASSERT_TRUE(program.start(start.path()));
    EXPECT_EQ(program.pane(0).folder(), start.path());
    EXPECT_EQ(program.pane(1).folder(), start.path());
    EXPECT_EQ(program.pane(0).history().entryAt(0), start / L"removed");  // kept, only not entered
}

TEST(PaneStart, AHistoryOfMoreThanAHundredFoldersReadsBackTheFirstHundred) {
    TempFolder start;
    RunningProgram program;
    std::vector<std::wstring> folders;
    for (int i = 0; i < 130; ++i) folders.push_back(L"C:\\folder" + std::to_wstring(i));
    writeUtf16Ini(program.settingsPath(), historyKeys(L"Hist1", folders));
    ASSERT_TRUE(program.start(start.path()));
    const auto& entries = program.pane(1).history().entries();
    ASSERT_EQ(entries.size(), 100u);
    EXPECT_EQ(entries.front(), L"C:\\folder0");
    EXPECT_EQ(entries.back(), L"C:\\folder99");
    program.stop();
    EXPECT_EQ(program.setting(L"Hist1", L"D99"), L"C:\\folder99");
    EXPECT_EQ(program.setting(L"Hist1", L"D100"), L"");
}

namespace {
// A folder of 200 files: far more than a page.
class PaneScrolling : public testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 200; ++i) dir.writeFile(L"f" + std::to_wstring(1000 + i) + L".txt");
        ASSERT_TRUE(program.start(dir.path()));
        MoveWindow(program.frameWindow(), 0, 0, 800, 600, TRUE);
        pumpMessagesFor(100);
        page = pane().rowsPerPage();
        ASSERT_GT(page, 5);
        ASSERT_LT(page, 100);
    }
    CVantorView& pane() { return program.pane(0); }

    TempFolder dir;
    RunningProgram program;
    int page = 0;
};
}  // namespace

TEST_F(PaneScrolling, MovingPastTheLastRowScrollsOneLineAndPaintsOnlyTheUncoveredStrip) {
    pane().setCursor(page - 1);
    pumpMessagesFor(50);
    ASSERT_EQ(pane().firstVisible(), 0);
    const PaintCounters before = pane().paintCounters();
    program.command(ID_UI_LINE_DOWN);
    const PaintCounters after = pane().paintCounters();
    EXPECT_EQ(pane().firstVisible(), 1);
    EXPECT_EQ(after.paints - before.paints, 1);
    EXPECT_EQ(after.headerPaints, before.headerPaints);
    EXPECT_EQ(after.lastPaint.bottom - after.lastPaint.top, pane().lineHeight());
    EXPECT_LE(after.linesPainted - before.linesPainted, 2);
}

TEST_F(PaneScrolling, TheScrollBarScrollsWithoutMovingTheCursorAndStopsAtTheLastPage) {
    pumpMessagesFor(50);
    const PaintCounters before = pane().paintCounters();
    SendMessageW(pane().hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(pane().firstVisible(), 1);
    EXPECT_EQ(pane().listing().cursor(), 0);
    EXPECT_EQ(pane().paintCounters().headerPaints, before.headerPaints);
    EXPECT_LE(pane().paintCounters().linesPainted - before.linesPainted, 2);

    SendMessageW(pane().hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(pane().firstVisible(), 201 - page);
    SendMessageW(pane().hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(pane().firstVisible(), 201 - page);
    SendMessageW(pane().hwnd(), WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(pane().firstVisible(), 201 - 2 * page);
    SendMessageW(pane().hwnd(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(pane().firstVisible(), 0);
}

TEST_F(PaneScrolling, PageDownMovesTheCursorAPageAndBringsItIntoView) {
    program.command(ID_UI_PAGE_DOWN);
    EXPECT_EQ(pane().listing().cursor(), page);
    EXPECT_EQ(pane().firstVisible(), 1);
    program.command(ID_UI_CUR_BOTTOM);
    EXPECT_EQ(pane().listing().cursor(), 200);
    EXPECT_EQ(pane().firstVisible(), 201 - page);
    program.command(ID_UI_CUR_TOP);
    EXPECT_EQ(pane().firstVisible(), 0);
}

TEST_F(PaneScrolling, AnotherListFontResizesBothPanesPagesAndKeepsTheirCursorsInView) {
    for (int column : {0, 1}) program.pane(column).setCursor(page - 1);
    pumpMessagesFor(50);
    ASSERT_EQ(program.pane(1).firstVisible(), 0);
    // A font three times as tall: the cursor line would lie far below the pane's new last row.
    DialogAction larger(L"フォントの指定|フォント|Font", [](HWND dialog) {
        HWND size = GetDlgItem(dialog, 0x472);  // the size box of the system font dialog
        SendMessageW(size, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SendMessageW(size, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"28"));
        clickButton(dialog, IDOK);
    });
    program.command(ID_OPT_SETUP_FONT);
    ASSERT_TRUE(larger.finish());
    pumpMessagesFor(50);
    for (int column : {0, 1}) {
        SCOPED_TRACE(column);
        CVantorView& view = program.pane(column);
        const int rows = view.rowsPerPage();
        ASSERT_LT(rows, page / 2);
        SCROLLINFO si{sizeof(si), SIF_PAGE};
        GetScrollInfo(view.hwnd(), SB_VERT, &si);
        EXPECT_EQ(static_cast<int>(si.nPage), rows);
        EXPECT_EQ(view.listing().cursor(), page - 1);
        EXPECT_GE(view.listing().cursor(), view.firstVisible());
        EXPECT_LT(view.listing().cursor(), view.firstVisible() + rows);
    }
}

TEST(ProgramStart, ADriveWithoutAMediumFailsQuietlyInsteadOfAskingTheUser) {
    TempFolder start;
    RunningProgram program;
    SetErrorMode(0);
    ASSERT_TRUE(program.start(start.path()));
    EXPECT_TRUE(GetErrorMode() & SEM_FAILCRITICALERRORS);
}
