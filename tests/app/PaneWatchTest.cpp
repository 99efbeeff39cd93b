#include "support/ReadGate.h"
#include "support/RunningProgram.h"
#include <gtest/gtest.h>

// The panes follow changes made to their folders by anyone, with no key pressed.
TEST(PaneWatch, AFileMadeOutsideAppearsAndAMarkSurvivesTheReRead) {
    TempFolder dir;
    dir.writeFile(L"kept.txt", "x");
    RunningProgram program;
    ASSERT_TRUE(program.start(dir.path()));
    CVantorView& pane = program.pane(0);
    const auto position = [&](const wchar_t* name) { return pane.listing().index().findName(name, 0); };
    pane.listing().list().setMark(pane.listing().index().positionAt(position(L"kept.txt")), MarkMode::Mark);

    dir.writeFile(L"appeared.txt", "x");
    ASSERT_TRUE(program.pumpUntil([&] { return position(L"appeared.txt") >= 0; })) << "appeared.txt never appeared";
    EXPECT_TRUE(pane.listing().index().entryAt(position(L"kept.txt"))->isMarked());
    // Writing a file may bring a second note during the first re-read: once the re-read queued
    // behind it is done, no note is left unanswered.
    program.settle();
    EXPECT_FALSE(pane.watcher().posted());
}

// The window answers keys while its folder is read, and a file made during the read shows after
// the re-read the watcher queues behind it.
TEST(PaneWatch, KeysWorkDuringAReadAndAFileMadeMeanwhileAppearsAfterIt) {
    TempFolder dir;
    for (auto name : {L"a.txt", L"b.txt", L"c.txt"}) dir.writeFile(name, "x");
    RunningProgram program;
    ASSERT_TRUE(program.start(dir.path()));
    CVantorView& pane = program.pane(0);
    const auto position = [&](const wchar_t* name) { return pane.listing().index().findName(name, 0); };
    ReadGate gate;
    pane.listing().setEntryHook(gate.hook());
    SendMessageW(pane.hwnd(), WM_FOLDER_CHANGED, 0, 0);
    ASSERT_TRUE(program.pumpUntil([&] { return gate.paused(); })) << "the re-read never started";

    const int before = pane.listing().cursor();
    PostMessageW(pane.hwnd(), WM_KEYDOWN, VK_DOWN, 1);
    ASSERT_TRUE(program.pumpUntil([&] { return pane.listing().cursor() != before; }))
        << "the cursor key was not answered during the read";
    EXPECT_TRUE(pane.listing().reading());
    const std::wstring cursorName = pane.listing().cursorEntry()->name();

    dir.writeFile(L"late.txt", "x");
    pane.listing().setEntryHook({});
    gate.open();
    ASSERT_TRUE(program.pumpUntil([&] { return position(L"late.txt") >= 0; }))
        << "late.txt, made during the read, never appeared";
    program.settle();
    EXPECT_EQ(pane.listing().cursorEntry()->name(), cursorName);
}

TEST(PaneWatch, ClosingTheProgramDuringAReadNeitherHangsNorLeavesTheReadRunning) {
    TempFolder dir;
    dir.writeFile(L"a.txt", "x");
    dir.writeFile(L"b.txt", "x");
    const int before = FolderRead::running();
    ReadGate gate;
    {
        RunningProgram program;
        ASSERT_TRUE(program.start(dir.path()));
        program.pane(0).listing().setEntryHook(gate.hook());
        SendMessageW(program.pane(0).hwnd(), WM_FOLDER_CHANGED, 0, 0);
        ASSERT_TRUE(program.pumpUntil([&] { return gate.paused(); })) << "the re-read never started";
        program.stop();
    }
    gate.open();
    for (int waited = 0; FolderRead::running() != before && waited < 5000; waited += 10) Sleep(10);
    EXPECT_EQ(FolderRead::running(), before) << "the read's thread had not ended 5 s after the program closed";
}

// A folder just entered shows an empty pane while it is read; its status line counts on by itself
// until the listing shows, and then stops being redrawn.
TEST(PaneWatch, TheStatusLineOfAFolderBeingReadIsRedrawnUntilItsListingShows) {
    TempFolder start, entered;
    for (auto name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) entered.writeFile(name, "x");
    RunningProgram program;
    ASSERT_TRUE(program.start(start.path()));
    CVantorView& pane = program.pane(0);
    ReadGate gate(2);
    pane.listing().setEntryHook(gate.hook());
    pane.onDirDirectParameter(entered.path());
    ASSERT_TRUE(program.pumpUntil([&] { return gate.paused(); })) << "the read never started";
    EXPECT_TRUE(pane.listing().readingNewFolder());
    const int before = pane.paintCounters().statusRedraws;
    EXPECT_TRUE(program.pumpUntil([&] { return pane.paintCounters().statusRedraws >= before + 2; }))
        << "the status line was not redrawn while the read was held";

    pane.listing().setEntryHook({});
    gate.open();
    program.settle();
    EXPECT_EQ(pane.listing().count(), 5);
    const int after = pane.paintCounters().statusRedraws;
    program.pump(700);
    EXPECT_EQ(pane.paintCounters().statusRedraws, after) << "still redrawn after the listing showed";
}

// A key typed while the watcher's re-read runs was typed at the listing as drawn: it is answered
// there even when the re-read's note is queued before it, and the new listing follows.
TEST(PaneWatch, AKeyTypedBeforeAReReadIsShownActsOnTheLinesAsDrawn) {
    TempFolder dir;
    for (auto name : {L"a.txt", L"c.txt"}) dir.writeFile(name, "x");
    RunningProgram program;
    ASSERT_TRUE(program.start(dir.path()));
    CVantorView& pane = program.pane(0);
    pane.listing().applySort(1, 0);  // "..", a.txt, c.txt
    pane.setCursor(pane.listing().index().findName(L"a.txt", 0));
    ReadGate gate(0);  // before the folder is opened, so the re-read lists b.txt, made meanwhile
    pane.listing().setEntryHook(gate.hook());
    SendMessageW(pane.hwnd(), WM_FOLDER_CHANGED, 0, 0);
    ASSERT_TRUE(program.pumpUntil([&] { return gate.paused(); })) << "the re-read never started";
    dir.writeFile(L"b.txt", "x");
    gate.open();
    MSG note{};
    for (int waited = 0; waited < 5000 && !PeekMessageW(&note, pane.hwnd(), WM_FOLDER_READ, WM_FOLDER_READ, PM_NOREMOVE); waited += 5)
        Sleep(5);
    PostMessageW(pane.hwnd(), WM_KEYDOWN, VK_DOWN, 1);
    program.settle();
    ASSERT_GE(pane.listing().index().findName(L"b.txt", 0), 0);
    EXPECT_EQ(std::wstring(pane.listing().cursorEntry()->name()), L"c.txt");
}
