#include "launch/CommandDialog.h"
#include "launch/CommandHistory.h"
#include "support/FolderDialogDriver.h"
#include "support/RunningProgram.h"
#include "support/SettingsFixture.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <functional>

namespace {
// The program started on a settings file whose "Macro" section holds `entries` as "D0", "D1", ...
struct StoredHistory {
    explicit StoredHistory(const std::vector<std::wstring>& entries) {
        std::wstring text = L"[Macro]\r\n";
        for (size_t i = 0; i < entries.size(); ++i) text += L"D" + std::to_wstring(i) + L"=" + entries[i] + L"\r\n";
        writeUtf16Ini(program.settingsPath(), text);
        program.start(folder.path());
    }
    // "D0", "D1", ... as the file holds them now, up to the first one missing.
    std::vector<std::wstring> entries() const {
        std::vector<std::wstring> values;
        for (int i = 0;; ++i) {
            std::wstring value = program.setting(L"Macro", (L"D" + std::to_wstring(i)).c_str());
            if (value.empty()) return values;
            values.push_back(value);
        }
    }
    TempFolder folder;
    RunningProgram program;
};

std::wstring entry(int i) { return L"F" + std::to_wstring(i) + L"|cmd " + std::to_wstring(i); }
std::vector<std::wstring> entries(std::initializer_list<int> numbers) {
    std::vector<std::wstring> list;
    for (int i : numbers) list.push_back(entry(i));
    return list;
}
std::vector<std::wstring> entriesUpTo(int count) {
    std::vector<std::wstring> list;
    for (int i = 0; i < count; ++i) list.push_back(entry(i));
    return list;
}

void type(HWND dialog, const wchar_t* folder, const wchar_t* command) {
    SetDlgItemTextW(dialog, IDC_COMMAND_FOLDER, folder);
    SetDlgItemTextW(dialog, IDC_COMMAND_LINE, command);
}
void pick(HWND dialog, int line) {
    selectLine(dialog, IDC_COMMAND_HISTORY, line);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_COMMAND_HISTORY, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_COMMAND_HISTORY)));
}
std::vector<std::wstring> with(std::wstring first, std::vector<std::wstring> rest) {
    rest.insert(rest.begin(), std::move(first));
    return rest;
}
}  // namespace

TEST(CommandDialog, OkRecordsTheCommandFirstAndTheButtonsRewriteTheHistory) {
    const DWORD ui = GetCurrentThreadId();
    std::wstring pickedText;
    std::vector<std::wstring> boxTexts;
    std::vector<size_t> linesAfterBox;
    const auto ok = [](HWND d) { clickButton(d, IDOK); };
    const struct {
        const char* name;
        std::vector<std::wstring> before;
        std::function<void(HWND)> act;
        size_t linesShown;
        std::vector<std::wstring> after;
    } rows[] = {
        {"picked line", entriesUpTo(8), [&](HWND d) { pick(d, 5); pickedText = windowText(GetDlgItem(d, IDC_COMMAND_FOLDER)) +
                                                        L"|" + windowText(GetDlgItem(d, IDC_COMMAND_LINE)); ok(d); },
         8, entries({5, 0, 1, 2, 3, 4, 6, 7})},
        {"picked and edited", entriesUpTo(8), [&](HWND d) { pick(d, 5); SetDlgItemTextW(d, IDC_COMMAND_LINE, L"cmd x"); ok(d); },
         8, with(L"F5|cmd x", entries({0, 1, 2, 3, 4, 6, 7}))},
        {"typed again", entriesUpTo(8), [&](HWND d) { type(d, L"F5", L"cmd 5"); ok(d); }, 8, with(entry(5), entriesUpTo(8))},
        {"empty command", entriesUpTo(8), [&](HWND d) { type(d, L"F9", L""); ok(d); }, 8, entriesUpTo(8)},
        {"full history", entriesUpTo(100), [&](HWND d) { type(d, L"", L"new"); ok(d); }, 100, with(L"|new", entriesUpTo(99))},
        {"hand-written", {entry(0), entry(1), entry(2), L"notepad", entry(4)}, [&](HWND d) { type(d, L"T", L"t"); ok(d); },
         3, with(L"T|t", entriesUpTo(3))},
        {"delete", entriesUpTo(8), [](HWND d) { selectLine(d, IDC_COMMAND_HISTORY, 1); pressButton(d, IDC_COMMAND_DELETE);
                                                 clickButton(d, IDCANCEL); },
         8, entries({0, 2, 3, 4, 5, 6, 7})},
        {"delete all", entriesUpTo(8), [&](HWND d) {
             for (int answer : {IDCANCEL, IDOK}) {
                 clickButton(d, IDC_COMMAND_DELETE_ALL);
                 const MessageBoxSeen seen = answerMessageBox(ui, answer);
                 boxTexts.push_back(seen.cancelIsDefault ? seen.text : L"OK is the default");
                 linesAfterBox.push_back(listBoxLines(GetDlgItem(d, IDC_COMMAND_HISTORY)).size());
             }
             clickButton(d, IDCANCEL);
         }, 8, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        StoredHistory history(r.before);
        std::vector<std::wstring> shown;
        DialogAction action(L"コマンド実行", [&](HWND d) {
            shown = listBoxLines(GetDlgItem(d, IDC_COMMAND_HISTORY));
            r.act(d);
        });
        CommandHistory store;
        CommandDialog(store, nullptr).doModal(history.program.frameWindow());
        ASSERT_TRUE(action.finish());
        ASSERT_EQ(shown.size(), r.linesShown);
        EXPECT_EQ(shown[0], L"cmd 0");
        EXPECT_EQ(history.entries(), r.after);
    }
    EXPECT_EQ(pickedText, entry(5));
    EXPECT_EQ(boxTexts, std::vector<std::wstring>(2, L"全て削除します\nよろしいですか？"));
    EXPECT_EQ(linesAfterBox, (std::vector<size_t>{8, 0}));
}

TEST(CommandDialog, TheMacroCommandRecordsItsCommandBeforeStartingItEvenWhenTheStartFails) {
    StoredHistory history({});
    history.folder.writeFile(L"a.txt");
    history.program.pane(0).listing().refresh();
    history.program.pane(0).setCursor(history.program.pane(0).listing().index().findName(L"a.txt", 0));
    std::wstring failure;
    std::vector<std::wstring> shown;
    {
        DialogAction run(L"コマンド実行", [](HWND d) {
            type(d, L"C:\\TOOLS", L"C:\\TOOLS\\x.exe $fqC");
            clickButton(d, IDOK);
        });
        DialogAction answer(L"error message", [&](HWND box) {
            failure = staticTexts(box);
            clickButton(box, IDOK);
        });
        history.program.command(ID_MACRO);
        ASSERT_TRUE(run.finish() && answer.finish());
    }
    EXPECT_EQ(failure, L"コマンドの起動に失敗しました");
    EXPECT_EQ(history.entries(), std::vector<std::wstring>{L"C:\\TOOLS|C:\\TOOLS\\x.exe $fqC"});
    DialogAction look(L"コマンド実行", [&](HWND d) {
        shown = listBoxLines(GetDlgItem(d, IDC_COMMAND_HISTORY));
        clickButton(d, IDCANCEL);
    });
    history.program.command(ID_MACRO);
    ASSERT_TRUE(look.finish());
    EXPECT_EQ(shown, std::vector<std::wstring>{L"C:\\TOOLS\\x.exe $fqC"});
}

TEST(StoredCommand, SplitsAtTheFirstBarAndPickedProgramsStartInTheirFolder) {
    const struct { std::wstring text, folder, commandLine; } splits[] = {
        {L"C:\\TEMP|cmd /c dir", L"C:\\TEMP", L"cmd /c dir"}, {L"|notepad", L"", L"notepad"},
        {L"notepad $C", L"", L"notepad $C"}, {L"", L"", L""}, {L"a|b|c", L"a", L"b|c"},
    };
    for (const auto& r : splits) {
        SCOPED_TRACE(std::string(r.text.begin(), r.text.end()));
        const StoredCommand command = splitStoredCommand(r.text);
        EXPECT_EQ(command.folder, r.folder);
        EXPECT_EQ(command.commandLine, r.commandLine);
    }
    const struct { std::wstring path, folder, commandLine; } programs[] = {
        {L"C:\\TOOLS\\x.exe", L"C:\\TOOLS", L"C:\\TOOLS\\x.exe $fqC"},
        {L"C:\\x.exe", L"C:\\", L"C:\\x.exe $fqC"},
        {L"C:\\My Tools\\x.exe", L"C:\\My Tools", L"\"C:\\My Tools\\x.exe\" $fqC"},
    };
    for (const auto& r : programs) {
        SCOPED_TRACE(std::string(r.path.begin(), r.path.end()));
        const StoredCommand command = commandForProgram(r.path);
        EXPECT_EQ(command.folder, r.folder);
        EXPECT_EQ(command.commandLine, r.commandLine);
    }
}
