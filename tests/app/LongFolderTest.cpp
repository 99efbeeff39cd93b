// Folders far longer than the classic path limit, entered by direct input and at start from the
// history: whatever becomes of them, the dialogs that follow work and the exit writes the settings.
#include "support/FolderDialogDriver.h"
#include "support/RunningProgram.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {
// A folder whose full path is exactly `length` characters, made one component at a time below
// `base` through the platform's long-path form.
std::wstring makeDeepFolder(const std::wstring& base, size_t length) {
    std::wstring path = base;
    CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
    while (path.size() < length) {
        const size_t room = length - path.size() - 1;  // after the backslash
        size_t take = std::min<size_t>(room, 200);
        if (room > take && room - take < 2) take -= 2;  // leave the next component a name
        path += L"\\" + std::wstring(take, L'n');
        CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
    }
    return path;
}

// Types `folder` into the direct-input dialog, as a user pasting it would, and presses OK.
bool typeIntoDirectInput(RunningProgram& program, const std::wstring& folder) {
    DialogAction type(L"フォルダを開く", [&](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, IDC_FOLDER_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
        clickButton(dialog, IDOK);
    });
    program.command(ID_DIR_DIRECT);
    return type.finish();
}

// Answers the quit question with Yes, which ends the program through its normal exit.
bool quitByQuestion(RunningProgram& program) {
    DialogAction yes(L"Vantor", [](HWND box) { clickButton(box, IDYES); });
    program.command(ID_UI_QUIT_CONFIRM);
    const bool answered = yes.finish();
    pumpMessagesFor(50);
    return answered && !IsWindow(program.frameWindow());
}
}  // namespace

TEST(LongFolder, EnteredByInputOrAtStartLeavesDialogsAndTheExitIntact) {
    TempFolder dir;
    RunningProgram program;
    ASSERT_TRUE(program.start(dir.path()));
    std::wstring last;
    for (const size_t length : {300u, 600u, 1000u, 2000u}) {
        SCOPED_TRACE(length);
        const std::wstring folder = makeDeepFolder(dir / std::to_wstring(length), length);
        ASSERT_EQ(folder.size(), length);
        ASSERT_TRUE(typeIntoDirectInput(program, folder));
        EXPECT_EQ(program.pane(0).folder(), folder);
        EXPECT_EQ(program.pane(0).listing().index().findName(L"..", 0), 0);
        last = folder;
    }
    ASSERT_TRUE(quitByQuestion(program));
    program.stop();
    EXPECT_EQ(program.setting(L"Hist0", L"D0"), last);
    EXPECT_FALSE(program.setting(L"Window", L"right").empty());

    // The next start begins in the longest folder, and a relative move from it works.
    ASSERT_TRUE(program.start(dir.path()));
    EXPECT_EQ(program.pane(0).folder(), last);
    program.command(ID_DIR_PARENT);
    EXPECT_EQ(program.pane(0).folder(), last.substr(0, last.rfind(L'\\')));
    ASSERT_TRUE(typeIntoDirectInput(program, dir.path()));
    EXPECT_EQ(program.pane(0).folder(), dir.path());
    ASSERT_TRUE(quitByQuestion(program));
    program.stop();
    EXPECT_EQ(program.setting(L"Hist0", L"D0"), dir.path());
}
