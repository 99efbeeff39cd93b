#include "app/SettingsDialog.h"
#include "resource.h"
#include "support/FolderDialogDriver.h"
#include "support/RunningProgram.h"
#include "support/SettingsFixture.h"
#include "support/UiDriver.h"
#include <gtest/gtest.h>

namespace {
class SettingsDialogRun : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program.start(folder.path())); }
    // Opens the dialog and works it from a helper thread with `action`.
    bool openWith(std::function<void(HWND)> action) {
        DialogAction act(L"設定", std::move(action));
        program.command(ID_OPT_SETUP);
        return act.finish();
    }
    std::string settingsBytes() const { return readFileBytes(program.settingsPath()); }
    // Moves the focus inside the dialog as Tab would, so the dialog sees it come and go.
    static void focusField(HWND dialog, int id) {
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
    }

    TempFolder folder;
    RunningProgram program;
    const DWORD uiThread = GetCurrentThreadId();
};
}  // namespace

TEST(SettingsDialogRules, APickedProgramGivesItsCommandLineAndFolder) {
    // As in the command dialog: a path with a blank is quoted (or "C:\Program.exe" would run), and
    // a program at a drive's root starts in the root, not in the drive's current folder.
    const struct { const wchar_t* path; const wchar_t* command; const wchar_t* folder; } rows[] = {
        {L"C:\\Tools\\view.exe", L"C:\\Tools\\view.exe $fqC", L"C:\\Tools"},
        {L"C:\\My Tools\\v.exe", L"\"C:\\My Tools\\v.exe\" $fqC", L"C:\\My Tools"},
        {L"C:\\Program Files\\Foo\\view.exe", L"\"C:\\Program Files\\Foo\\view.exe\" $fqC", L"C:\\Program Files\\Foo"},
        {L"D:\\x.bat", L"D:\\x.bat $fqC", L"D:\\"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(&r - rows));
        const ProgramChoice choice = programChoiceFor(r.path);
        EXPECT_EQ(choice.commandLine, r.command);
        EXPECT_EQ(choice.folder, r.folder);
    }
}

TEST_F(SettingsDialogRun, OkWritesAllThirteenKeysAndAWidthOutOfRangeKeepsTheDialogOpen) {
    const std::string before = settingsBytes();
    std::wstring refusal;
    bool stayedOpen = false, extraBoxes = true;
    ASSERT_TRUE(openWith([&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_SETTINGS_SIZE_WIDTH, L"11");
        clickButton(dialog, IDOK);
        refusal = answerMessageBox(uiThread, IDOK).text;
        Sleep(200);
        stayedOpen = IsWindowVisible(dialog);
        // Entering a field with help validates too, once.
        PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_SETTINGS_VIEWER)), TRUE);
        refusal += answerMessageBox(uiThread, IDOK).text;
        Sleep(300);
        extraBoxes = waitForWindow(uiThread, L"Vantor", 300) != nullptr;
        clickButton(dialog, IDCANCEL);
    }));
    EXPECT_NE(refusal.find(L"4 から 10"), std::wstring::npos) << refusal;
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(extraBoxes);
    EXPECT_EQ(settingsBytes(), before);

    ASSERT_TRUE(openWith([](HWND dialog) { clickButton(dialog, IDOK); }));
    const struct { const wchar_t* section; const wchar_t* key; const wchar_t* value; } keys[] = {
        {L"Color", L"Back", L"c0c0c0"},      {L"Color", L"Dir", L"c000"},       {L"Color", L"Hide", L"c0"},
        {L"Color", L"ReadOnly", L"c00000"},  {L"Color", L"System", L"800080"},  {L"Color", L"Normal", L"0"},
        {L"Disp", L"TimeFormat", L"%y/%m/%d %H:%M"}, {L"Disp", L"FileSizeCols", L"5"},
        {L"Disp", L"FileAttributes", L"1"},  {L"Exec", L"ViewerMacro", L"notepad $C"},
        {L"Exec", L"EditorMacro", L"notepad $C"},
    };
    for (const auto& k : keys) EXPECT_EQ(program.setting(k.section, k.key), k.value) << k.key;
    const std::wstring text = readUtf16File(program.settingsPath());
    EXPECT_NE(text.find(L"ViewerDir="), std::wstring::npos);
    EXPECT_NE(text.find(L"EditorDir="), std::wstring::npos);
}

TEST_F(SettingsDialogRun, HelpFollowsTheFocusAndACancelledColourChoiceIsForgotten) {
    std::wstring macroHelp, okHelp;
    ASSERT_TRUE(openWith([&](HWND dialog) {
        focusField(dialog, IDC_SETTINGS_VIEWER);
        macroHelp = windowText(GetDlgItem(dialog, IDC_SETTINGS_HELP));
        focusField(dialog, IDOK);
        okHelp = windowText(GetDlgItem(dialog, IDC_SETTINGS_HELP));

        // A new folder colour chosen, then the whole dialog cancelled.
        clickButton(dialog, IDC_COLOR_DIR);
        if (HWND chooser = waitForWindow(uiThread, L"色|色の設定|Color")) {
            for (int id : {706, 707, 708}) SetDlgItemTextW(chooser, id, L"12");  // red, green, blue
            clickButton(chooser, IDOK);
        }
        Sleep(300);
        clickButton(dialog, IDCANCEL);
    }));
    EXPECT_NE(macroHelp.find(L"$Dドライブ"), std::wstring::npos) << macroHelp;
    EXPECT_EQ(okHelp, L"");
    EXPECT_EQ(program.setting(L"Color", L"Dir"), L"");
    EXPECT_EQ(program.app().settings().dirColor, 0x00C000u);

    // The same choice kept with OK is stored and written.
    ASSERT_TRUE(openWith([&](HWND dialog) {
        clickButton(dialog, IDC_COLOR_DIR);
        if (HWND chooser = waitForWindow(uiThread, L"色|色の設定|Color")) {
            for (int id : {706, 707, 708}) SetDlgItemTextW(chooser, id, L"12");
            clickButton(chooser, IDOK);
        }
        Sleep(300);
        clickButton(dialog, IDOK);
    }));
    EXPECT_EQ(program.setting(L"Color", L"Dir"), L"c0c0c");
}

TEST(SettingsDialogWidth, AStoredWidthOutsideTheArrowsRangeIsShownAndKeptWhenUntouched) {
    const struct { const wchar_t* stored; const wchar_t* typed; const wchar_t* written; bool refused; } rows[] = {
        {L"0", nullptr, L"0", false},  // hides the size column
        {L"12", nullptr, L"12", false},
        {L"5", nullptr, L"5", false},
        {L"12", L"11", L"12", true},   // a new width is still checked
        {L"0", L"7", L"7", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(&r - rows));
        TempFolder folder;
        RunningProgram program;
        writeUtf16Ini(program.settingsPath(), std::wstring(L"[Disp]\r\nFileSizeCols=") + r.stored + L"\r\n");
        ASSERT_TRUE(program.start(folder.path()));
        const DWORD ui = GetCurrentThreadId();
        std::wstring shown, refusal;
        DialogAction act(L"設定", [&](HWND dialog) {
            shown = windowText(GetDlgItem(dialog, IDC_SETTINGS_SIZE_WIDTH));
            if (r.typed) SetDlgItemTextW(dialog, IDC_SETTINGS_SIZE_WIDTH, r.typed);
            clickButton(dialog, IDOK);
            if (r.refused) {
                refusal = answerMessageBox(ui, IDOK).text;
                clickButton(dialog, IDCANCEL);
            }
        });
        program.command(ID_OPT_SETUP);
        ASSERT_TRUE(act.finish());
        EXPECT_EQ(shown, r.stored);
        EXPECT_EQ(program.setting(L"Disp", L"FileSizeCols"), r.written);
        EXPECT_EQ(!refusal.empty(), r.refused);
    }
}

TEST_F(SettingsDialogRun, TheBrowseButtonsReadTheEllipsis) {
    std::vector<std::wstring> captions;
    ASSERT_TRUE(openWith([&](HWND dialog) {
        for (int id : {IDC_SETTINGS_VIEWER_PICK, IDC_SETTINGS_VIEWER_DIR_PICK, IDC_SETTINGS_EDITOR_PICK,
                       IDC_SETTINGS_EDITOR_DIR_PICK})
            captions.push_back(windowText(GetDlgItem(dialog, id)));
        clickButton(dialog, IDCANCEL);
    }));
    EXPECT_EQ(captions, std::vector<std::wstring>(4, L"…"));
}
