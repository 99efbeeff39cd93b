#include "pane/PaneGeometry.h"
#include "support/ReadGate.h"
#include "support/RunningProgram.h"
#include "support/SettingsFixture.h"
#include "support/UiDriver.h"
#include "common/PathUtil.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
// A start folder WORK holding SRC (with two files) and DOC; both panes start in WORK.
class FolderNavigation : public testing::Test {
protected:
    void SetUp() override {
        dir.makeFolder(L"WORK");
        dir.makeFolder(L"WORK\\SRC");
        dir.makeFolder(L"WORK\\DOC");
        dir.writeFile(L"WORK\\SRC\\main.cpp", "x");
        dir.writeFile(L"WORK\\SRC\\util.cpp", "x");
        work = dir / L"WORK";
        ASSERT_TRUE(program.start(work));
        // Every call below must leave the process's current directory where it was.
        SetCurrentDirectoryW(dir.path().c_str());
    }
    void TearDown() override { EXPECT_EQ(currentDirectory(), dir.path()); }

    CVantorView& left() { return program.pane(0); }
    CVantorView& right() { return program.pane(1); }
    std::wstring cursorName(CVantorView& pane) {
        const FileEntry* entry = pane.listing().cursorEntry();
        return entry ? entry->name() : L"";
    }

    TempFolder dir;
    std::wstring work;
    RunningProgram program;
};
}  // namespace

TEST_F(FolderNavigation, EnteringPutsTheCursorOnTheParentEntryAndLeavingOnTheFolderLeft) {
    left().changeFolder(L"SRC", true);
    program.settle();
    EXPECT_EQ(left().folder(), work + L"\\SRC");
    EXPECT_EQ(cursorName(left()), L"..");
    EXPECT_EQ(left().listing().count(), 3);
    EXPECT_NE(windowText(program.frameWindow()).find(work + L"\\SRC"), std::wstring::npos);

    program.command(ID_DIR_PARENT);
    EXPECT_EQ(left().folder(), work);
    EXPECT_EQ(cursorName(left()), L"SRC");
    EXPECT_EQ(right().folder(), work);  // the other pane stays

    program.command(ID_DIR_ROOT);
    EXPECT_EQ(left().folder(), rootPrefix(work) + L"\\");
    EXPECT_EQ(left().listing().cursor(), 0);
    EXPECT_EQ(left().history().entryAt(0), left().folder());
    EXPECT_EQ(left().history().entryAt(1), work);
    EXPECT_EQ(left().history().entryAt(2), work + L"\\SRC");
}

TEST_F(FolderNavigation, ParentOfARootReentersItWithTheCursorOnTheFirstLine) {
    const std::wstring root = rootPrefix(work) + L"\\";
    left().changeFolder(root, false);
    program.settle();
    left().setCursor(3);
    left().changeFolder(L"C:\\nowhere-at-all", false);
    program.settle();
    program.command(ID_DIR_PARENT);
    EXPECT_EQ(left().folder(), root);
    EXPECT_EQ(left().listing().cursor(), 0);
    EXPECT_EQ(left().history().entryAt(0), root);
    EXPECT_EQ(left().history().entries().size(), 1u);  // the root once, the failed target not at all
}

TEST_F(FolderNavigation, OpeningAFolderEntersItAndOpeningTheParentEntryGoesUp) {
    left().setCursor(left().listing().index().findName(L"DOC", 0));
    program.command(ID_FILE_OPEN_APP);
    EXPECT_EQ(left().folder(), work + L"\\DOC");
    ASSERT_EQ(cursorName(left()), L"..");
    program.command(ID_FILE_OPEN_APP);
    EXPECT_EQ(left().folder(), work);
    EXPECT_EQ(cursorName(left()), L"DOC");  // exactly like the parent command

    left().setCursor(left().listing().index().findName(L"SRC", 0));
    program.command(ID_FILE_VIEW);
    EXPECT_EQ(left().folder(), work + L"\\SRC");
    program.command(ID_FILE_EDIT);  // on ".."
    EXPECT_EQ(left().folder(), work);
}

TEST_F(FolderNavigation, DoubleClickOnAFolderLineEntersIt) {
    const int line = left().listing().index().findName(L"SRC", 0);
    const int h = left().lineHeight();
    const LPARAM at = MAKELPARAM(10, pane_geometry::listingTop(h) + line * h + h / 2);
    SendMessageW(left().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(left().hwnd(), WM_LBUTTONUP, 0, at);
    SendMessageW(left().hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    program.settle();
    EXPECT_EQ(left().folder(), work + L"\\SRC");
}

TEST_F(FolderNavigation, AFolderThatCannotBeEnteredChangesNothing) {
    left().setCursor(2);
    for (const std::wstring& target : {std::wstring(), std::wstring(L"missing"), std::wstring(L"Q:\\"),
                                       std::wstring(L"?:\\bad|name")}) {
        left().changeFolder(target, true);
        program.settle();
        left().changeFolder(target, false);
        program.settle();
        left().onDirDirectParameter(target);
        program.settle();
        EXPECT_EQ(left().folder(), work) << target;
        EXPECT_EQ(left().listing().cursor(), 2) << target;
        EXPECT_EQ(currentDirectory(), dir.path()) << target;
    }
    EXPECT_EQ(left().history().entries().size(), 0u);
    // A relative target given as absolute is resolved against the process's current directory.
    left().changeFolder(L"WORK\\DOC", false);
    program.settle();
    EXPECT_EQ(left().folder(), work + L"\\DOC");
}

TEST_F(FolderNavigation, AlignAndSwapMoveTheRightPaneButKeepTheActiveOne) {
    left().changeFolder(L"SRC", true);
    program.settle();
    program.command(ID_DIR_BY_ACTIVE);
    EXPECT_EQ(right().folder(), work + L"\\SRC");
    EXPECT_TRUE(left().isActive());
    EXPECT_NE(windowText(program.frameWindow()).find(work + L"\\SRC"), std::wstring::npos);

    right().changeFolder(L"..\\DOC", true);
    program.settle();
    program.command(ID_DIR_BY_RIGHT);
    EXPECT_EQ(left().folder(), work + L"\\DOC");
    left().changeFolder(work, false);
    program.settle();
    program.command(ID_DIR_BY_LEFT);
    EXPECT_EQ(right().folder(), work);
    EXPECT_TRUE(left().isActive());
}

TEST_F(FolderNavigation, SwapRecordsEachPanesNewFolderInItsOwnHistoryAndInTheDriveMemory) {
    const TempFolder other(otherDriveTestRoot());  // on drive Z:, for moves between drives
    left().changeFolder(work + L"\\SRC", false);
    program.settle();
    right().changeFolder(other.path(), false);
    program.settle();
    program.command(ID_DIR_SWAP);
    EXPECT_EQ(left().folder(), other.path());
    EXPECT_EQ(right().folder(), work + L"\\SRC");
    EXPECT_EQ(left().history().entryAt(0), other.path());
    EXPECT_EQ(left().history().entryAt(1), work + L"\\SRC");
    EXPECT_EQ(right().history().entryAt(0), work + L"\\SRC");
    EXPECT_EQ(right().history().entryAt(1), other.path());
    DriveFolderTable& drives = program.app().driveFolders();
    EXPECT_EQ(drives.recall(L'z'), other.path());
    EXPECT_EQ(drives.recall(work[0]), work + L"\\SRC");
}

TEST_F(FolderNavigation, ADriveParameterGoesToTheLastFolderOfThatDriveOrItsRoot) {
    const TempFolder other(otherDriveTestRoot());  // on drive Z:, for moves between drives
    left().changeFolder(L"SRC", true);
    program.settle();
    right().changeFolder(other.path(), false);
    program.settle();
    left().onDriveSelectParameter(L"z:");
    program.settle();
    EXPECT_EQ(left().folder(), other.path());
    left().onDriveSelectParameter(L"c");
    program.settle();
    EXPECT_EQ(left().folder(), work + L"\\SRC");
    program.app().driveFolders() = DriveFolderTable();
    left().onDriveSelectParameter(L"c");
    program.settle();
    EXPECT_EQ(program.app().driveFolders().recall(L'C'), left().folder());
    EXPECT_EQ(left().folder().size(), 3u);  // the root, in whatever case the platform gives it
    left().onDriveSelectParameter(L"");
    program.settle();
    left().onDriveSelectParameter(L"1");
    program.settle();
    EXPECT_EQ(left().folder().size(), 3u);
}

TEST_F(FolderNavigation, AFullHistoryDropsItsOldestEntry) {
    for (int i = 0; i < 100; ++i) left().history().visit(L"C:\\old" + std::to_wstring(i));
    left().changeFolder(L"SRC", true);
    program.settle();
    ASSERT_EQ(left().history().entries().size(), 100u);
    EXPECT_EQ(left().history().entryAt(0), work + L"\\SRC");
    EXPECT_EQ(left().history().entryAt(99), L"C:\\old1");
}

TEST_F(FolderNavigation, APaneWhoseFolderWentGoesUpToTheNearestFolderThatIsLeft) {
    enum class Loss { Deleted, ReplacedByFile, DeletedWithParent };
    enum class Step { RenewKey, WatcherNote, Parent, Root, FailingInput };
    const std::wstring gone = work + L"\\GONE", deep = gone + L"\\DEEP";
    const std::wstring root = rootPrefix(work) + L"\\";
    const struct { Loss loss; Step step; std::wstring folder; const wchar_t* cursor; } rows[] = {
        {Loss::Deleted, Step::RenewKey, gone, L".."},
        {Loss::ReplacedByFile, Step::RenewKey, gone, L"DEEP"},
        {Loss::ReplacedByFile, Step::WatcherNote, gone, L"DEEP"},
        {Loss::DeletedWithParent, Step::RenewKey, work, L".."},
        {Loss::Deleted, Step::Parent, gone, L".."},
        {Loss::DeletedWithParent, Step::Parent, work, L".."},
        {Loss::Deleted, Step::Root, root, nullptr},
        {Loss::Deleted, Step::FailingInput, gone, L".."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        dir.makeFolder(L"WORK\\GONE");
        dir.makeFolder(L"WORK\\GONE\\DEEP");
        left().changeFolder(deep, false);
        program.settle();
        ASSERT_EQ(left().folder(), deep);

        // The pane's watcher holds its folder open, and under Wine a folder deleted while any
        // handle is open on it stays "delete pending" with no notification (Windows notifies the
        // watcher, which then lets go): the test lets go for it, so the deletions really happen.
        const auto removeFolder = [&](const std::wstring& path) {
            left().watcher().letGo();
            RemoveDirectoryW(path.c_str());
        };
        removeFolder(deep);
        if (r.loss == Loss::ReplacedByFile) dir.writeFile(L"WORK\\GONE\\DEEP", "x");
        if (r.loss == Loss::DeletedWithParent) removeFolder(gone);

        switch (r.step) {
        case Step::RenewKey: program.pressKey(VK_F5); break;
        case Step::WatcherNote: SendMessageW(left().hwnd(), WM_FOLDER_CHANGED, 0, 0); break;
        case Step::Parent: program.command(ID_DIR_PARENT); break;
        case Step::Root: program.command(ID_DIR_ROOT); break;
        case Step::FailingInput: left().onDirDirectParameter(L"missing"); break;
        }
        program.settle();
        EXPECT_EQ(left().folder(), r.folder);
        EXPECT_EQ(left().history().entryAt(0), r.folder);
        if (r.cursor) {
            EXPECT_EQ(cursorName(left()), r.cursor);
        }

        DeleteFileW(deep.c_str());
        removeFolder(gone);
    }
}

TEST_F(FolderNavigation, AFolderDeletedWhileAReadIsUnderWayIsLeftForItsParent) {
    const std::wstring src = work + L"\\SRC";
    left().changeFolder(src, false);
    program.settle();
    ReadGate gate(0);  // the read is under way but has not opened the folder yet
    left().listing().setEntryHook(gate.hook());
    SendMessageW(left().hwnd(), WM_FOLDER_CHANGED, 0, 0);
    ASSERT_TRUE(program.pumpUntil([&] { return gate.paused(); })) << "the re-read never started";

    left().watcher().letGo();
    for (const wchar_t* name : {L"main.cpp", L"util.cpp"}) DeleteFileW((src + L"\\" + name).c_str());
    ASSERT_TRUE(RemoveDirectoryW(src.c_str()));
    left().listing().setEntryHook({});
    gate.open();
    program.settle();
    EXPECT_EQ(left().folder(), work);
    EXPECT_EQ(left().history().entryAt(0), work);
    EXPECT_EQ(cursorName(left()), L"..");  // the folder left is gone, so it cannot hold the cursor
}

TEST_F(FolderNavigation, TypedOrGivenRelativeFoldersAreSeenFromThePane) {
    dir.makeFolder(L"WORK\\SRC\\inner");
    const std::wstring src = work + L"\\SRC";
    const struct { const wchar_t* text; bool typed; std::wstring folder; } rows[] = {
        {L"..", false, work},
        {L"..\\..", false, dir.path()},
        {L"..", true, work},
        {L"inner", true, src + L"\\inner"},
        {work.c_str(), false, work},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        left().changeFolder(src, false);
        program.settle();
        if (r.typed) {
            DialogAction type(L"フォルダを開く", [&](HWND dialog) {
                SendMessageW(GetDlgItem(dialog, IDC_FOLDER_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(r.text));
                clickButton(dialog, IDOK);
            });
            program.command(ID_DIR_DIRECT);
            ASSERT_TRUE(type.finish());
        } else {
            left().onDirDirectParameter(r.text);
            program.settle();
        }
        EXPECT_EQ(left().folder(), r.folder);
    }
}
