#include "framework/CommandUI.h"
#include "support/RunningProgram.h"
#include "support/FolderDialogDriver.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
// The real program started in a temp folder with its own settings file.
class MainFramePane : public testing::Test {
protected:
    void SetUp() override {
        dir.writeFile(L"a.txt", "aaaa");
        dir.writeFile(L"b.log", "bb");
        dir.makeFolder(L"sub");
        ASSERT_TRUE(program.start(dir.path()));
        app = &program.app();
        frame = &program.frame();
    }
    void command(UINT id) { program.command(id); }
    // State of a command as the menus would show it.
    CommandUI state(UINT id) {
        CommandUI ui(id);
        frame->onCmdMsg(id, CommandMode::Update, &ui);
        return ui;
    }

    TempFolder dir;
    RunningProgram program;
    CVantorApp* app = nullptr;
    CMainFrame* frame = nullptr;
};
}  // namespace

TEST_F(MainFramePane, PanesRegisterLeftFirstAndListTheStartFolder) {
    CVantorView* left = frame->paneInColumn(0);
    CVantorView* right = frame->paneInColumn(1);
    ASSERT_TRUE(left && right);
    EXPECT_EQ(left->paneIndex(), 0);
    EXPECT_EQ(right->paneIndex(), 1);
    EXPECT_EQ(frame->otherPane(left), right);
    EXPECT_EQ(frame->activeView(), left);
    EXPECT_EQ(left->listing().count(), 4);  // "..", a.txt, b.log, sub
    EXPECT_EQ(left->listing().cursor(), 0);
    EXPECT_NE(windowText(frame->hwnd()).find(dir.path()), std::wstring::npos);
}

TEST_F(MainFramePane, SortCommandsReachTheActivePaneAndCheckTheirItem) {
    CVantorView* left = frame->paneInColumn(0);
    command(ID_SORT_SIZE_BIG);
    EXPECT_EQ(left->listing().sortType(), 6);
    EXPECT_EQ(frame->paneInColumn(1)->listing().sortType(), 0);
    EXPECT_EQ(app->getProfileString(L"View0", L"SortType"), L"0x6");
    EXPECT_TRUE(state(ID_SORT_SIZE_BIG).checked());
    EXPECT_FALSE(state(ID_SORT_NONE).checked());

    command(ID_SORT_OPT_DIR);
    EXPECT_TRUE(state(ID_SORT_OPT_DIR).checked());
    EXPECT_EQ(app->getProfileString(L"View0", L"SortAttr"), L"0x10");
    EXPECT_TRUE(left->listing().index().entryAt(1)->isFolder());
}

TEST_F(MainFramePane, AllCardOnlyWithARealMaskAndMarkCommandsKeepTheParentUnmarked) {
    CVantorView* left = frame->paneInColumn(0);
    EXPECT_FALSE(state(ID_VIEW_ALLCARD).enabled());
    left->onWildcardParameter(L"*.txt");
    program.settle();
    EXPECT_TRUE(state(ID_VIEW_ALLCARD).enabled());
    EXPECT_EQ(left->listing().count(), 3);  // the folder stays
    command(ID_VIEW_ALLCARD);
    EXPECT_EQ(left->listing().mask(), L"*.*");
    EXPECT_FALSE(state(ID_VIEW_ALLCARD).enabled());

    command(ID_MARK_TOGGLE);
    EXPECT_EQ(left->listing().list().markedCount(), 3);
    command(ID_MARK_TOGGLE_FILE);
    EXPECT_EQ(left->listing().list().markedCount(), 1);  // the folder keeps its mark
    command(ID_MARK_CLEAR);
    EXPECT_EQ(left->listing().list().markedCount(), 0);
}

namespace {
struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK matchOwned(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<OwnedSearch*>(lParam);
    if (GetWindow(hwnd, GW_OWNER) != search->owner || !IsWindowVisible(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// A visible window that `owner` owns, found without sending it anything.
HWND windowOwnedBy(HWND owner) {
    OwnedSearch search{owner, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), &matchOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

TEST_F(MainFramePane, AMaskWithAFolderSeparatorIsRefusedAndTheOldMaskStays) {
    CVantorView* left = frame->paneInColumn(0);
    const DWORD uiThread = GetCurrentThreadId();
    const struct { const wchar_t* mask; bool typed; bool accepted; } rows[] = {
        {L"..\\*.txt", true, false}, {L"sub/*.log", true, false}, {L"sub\\*.log", false, false},
        {L"*.log", true, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.mask);
        left->onWildcardParameter(L"*.txt");
        program.settle();
        MessageBoxSeen refusal;
        bool stayedOpen = false;
        if (r.typed) {
            DialogAction type(L"マスク指定", [&](HWND dialog) {
                SendMessageW(GetDlgItem(dialog, IDC_INPUT_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(r.mask));
                clickButton(dialog, IDOK);
                // Either a box opens over the dialog or the dialog closes: look without waiting on the
                // dialog's thread, which no longer pumps messages once the dialog is gone.
                bool boxOpened = false;
                for (int waited = 0; !boxOpened && IsWindow(dialog) && waited < 5000; waited += 20) {
                    Sleep(20);
                    boxOpened = windowOwnedBy(dialog) != nullptr;
                }
                if (!boxOpened) return;
                refusal = answerMessageBox(uiThread, IDOK);
                stayedOpen = IsWindow(dialog) && IsWindowVisible(dialog);
                clickButton(dialog, IDCANCEL);
            });
            command(ID_VIEW_WILDCARD);
            ASSERT_TRUE(type.finish());
        } else {
            DialogAction answer(L"Vantor", [&](HWND box) {
                refusal = {true, staticTexts(box)};
                clickButton(box, IDOK);
            });
            left->onWildcardParameter(r.mask);
            ASSERT_TRUE(answer.finish());
        }
        const std::wstring expected = r.accepted ? r.mask : L"*.txt";
        EXPECT_EQ(left->listing().mask(), expected);
        EXPECT_EQ(app->getProfileString(L"View0", L"WildCard"), expected);
        EXPECT_EQ(refusal.shown, !r.accepted);
        if (!r.accepted) {
            EXPECT_NE(refusal.text.find(L"区切り"), std::wstring::npos);
        }
        EXPECT_EQ(stayedOpen, r.typed && !r.accepted);
    }
}
