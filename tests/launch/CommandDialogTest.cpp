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
        for (std::wstring v; !(v = program.setting(L"Macro", (L"D" + std::to_wstring(values.size())).c_str())).empty();)
            values.push_back(v);
        return values;
    }
    TempFolder folder;
    RunningProgram program;
};

std::wstring entry(int i) { return L"F" + std::to_wstring(i) + L"|cmd " + std::to_wstring(i); }
// `first` (when not empty), then the entries numbered from..to-1 but `skip`.
std::vector<std::wstring> history(std::wstring first, int from, int to, int skip = -1) {
    std::vector<std::wstring> list;
    if (!first.empty()) list.push_back(first);
    for (int i = from; i < to; ++i)
        if (i != skip) list.push_back(entry(i));
    return list;
}
void typeAndOk(HWND dialog, const wchar_t* folder, const wchar_t* command) {
    SetDlgItemTextW(dialog, IDC_COMMAND_FOLDER, folder);
    SetDlgItemTextW(dialog, IDC_COMMAND_LINE, command);
    clickButton(dialog, IDOK);
}
}  // namespace

TEST(CommandDialog, OkRecordsTheCommandFirstAndTheButtonsRewriteTheHistory) {
    const DWORD ui = GetCurrentThreadId();
    std::wstring picked;
    std::vector<std::wstring> boxes;
    const struct { const char* name; std::vector<std::wstring> before; std::function<void(HWND)> act;
                   size_t linesShown; std::vector<std::wstring> after; } rows[] = {
        {"picked line", history(L"", 0, 8), [&](HWND d) {
             selectLine(d, IDC_COMMAND_HISTORY, 5);
             HWND list = GetDlgItem(d, IDC_COMMAND_HISTORY);
             SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_COMMAND_HISTORY, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
             picked = windowText(GetDlgItem(d, IDC_COMMAND_FOLDER)) + L"|" + windowText(GetDlgItem(d, IDC_COMMAND_LINE));
             clickButton(d, IDOK);
         }, 8, history(entry(5), 0, 8, 5)},
        {"typed again", history(L"", 0, 8), [](HWND d) { typeAndOk(d, L"F5", L"cmd 5"); }, 8, history(entry(5), 0, 8)},
        {"empty command", history(L"", 0, 8), [](HWND d) { typeAndOk(d, L"F9", L""); }, 8, history(L"", 0, 8)},
        {"full history", history(L"", 0, 100), [](HWND d) { typeAndOk(d, L"", L"new"); }, 100, history(L"|new", 0, 99)},
        {"hand-written", {entry(0), entry(1), entry(2), L"notepad", entry(4)}, [](HWND d) { typeAndOk(d, L"T", L"t"); },
         3, history(L"T|t", 0, 3)},
        {"delete", history(L"", 0, 8), [](HWND d) {
             selectLine(d, IDC_COMMAND_HISTORY, 1);
             pressButton(d, IDC_COMMAND_DELETE);
             clickButton(d, IDCANCEL);
         }, 8, history(L"", 0, 8, 1)},
        {"delete all", history(L"", 0, 8), [&](HWND d) {
             for (int answer : {IDCANCEL, IDOK}) {
                 clickButton(d, IDC_COMMAND_DELETE_ALL);
                 const MessageBoxSeen seen = answerMessageBox(ui, answer);
                 const size_t left = listBoxLines(GetDlgItem(d, IDC_COMMAND_HISTORY)).size();
                 boxes.push_back(seen.text + (seen.cancelIsDefault ? L"" : L" OK first") + std::to_wstring(left));
             }
             clickButton(d, IDCANCEL);
         }, 8, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        StoredHistory stored(r.before);
        std::vector<std::wstring> shown;
        DialogAction action(L"コマンド実行", [&](HWND d) {
            shown = listBoxLines(GetDlgItem(d, IDC_COMMAND_HISTORY));
            r.act(d);
        });
        CommandHistory store;
        CommandDialog(store, nullptr).doModal(stored.program.frameWindow());
        ASSERT_TRUE(action.finish());
        ASSERT_EQ(shown.size(), r.linesShown);
        EXPECT_EQ(shown[0], L"cmd 0");
        EXPECT_EQ(stored.entries(), r.after);
    }
    EXPECT_EQ(picked, entry(5));
    EXPECT_EQ(boxes, (std::vector<std::wstring>{L"全て削除します\nよろしいですか？8", L"全て削除します\nよろしいですか？0"}));
}

TEST(CommandDialog, TheMacroCommandRecordsItsCommandBeforeStartingItEvenWhenTheStartFails) {
    StoredHistory stored({});
    stored.folder.writeFile(L"a.txt");
    CVantorView& pane = stored.program.pane(0);
    pane.listing().refresh();
    pane.setCursor(pane.listing().index().findName(L"a.txt", 0));
    std::wstring failure;
    std::vector<std::wstring> shown;
    // The failure can only be told once the dialog has gone and the start was tried: its wait
    // starts there, not with the dialog's, which a loaded machine may take seconds to show.
    bool answered = false;
    DialogAction run(L"コマンド実行", [&, ui = GetCurrentThreadId()](HWND d) {
        typeAndOk(d, L"C:\\TOOLS", L"C:\\TOOLS\\x.exe $fqC");
        if (!waitUntilGone(d, 10000)) return;
        if (HWND box = waitForWindow(ui, L"error message", 10000)) {
            failure = staticTexts(box);
            clickButton(box, IDOK);
            answered = true;
        }
    });
    stored.program.command(ID_MACRO);
    ASSERT_TRUE(run.finish() && answered);
    EXPECT_EQ(failure, L"コマンドの起動に失敗しました");
    EXPECT_EQ(stored.entries(), std::vector<std::wstring>{L"C:\\TOOLS|C:\\TOOLS\\x.exe $fqC"});
    DialogAction look(L"コマンド実行", [&](HWND d) { shown = listBoxLines(GetDlgItem(d, IDC_COMMAND_HISTORY));
                                                   clickButton(d, IDCANCEL); });
    stored.program.command(ID_MACRO);
    ASSERT_TRUE(look.finish());
    EXPECT_EQ(shown, std::vector<std::wstring>{L"C:\\TOOLS\\x.exe $fqC"});
}

TEST(StoredCommand, SplitsAtTheFirstBarAndPickedProgramsStartInTheirFolder) {
    const struct { std::wstring text, folder, commandLine; bool picked; } rows[] = {
        {L"C:\\TEMP|cmd /c dir", L"C:\\TEMP", L"cmd /c dir", false}, {L"|notepad", L"", L"notepad", false},
        {L"notepad $C", L"", L"notepad $C", false}, {L"", L"", L"", false}, {L"a|b|c", L"a", L"b|c", false},
        {L"C:\\TOOLS\\x.exe", L"C:\\TOOLS", L"C:\\TOOLS\\x.exe $fqC", true}, {L"C:\\x.exe", L"C:\\", L"C:\\x.exe $fqC", true},
        {L"C:\\My Tools\\x.exe", L"C:\\My Tools", L"\"C:\\My Tools\\x.exe\" $fqC", true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.text.begin(), r.text.end()));
        const StoredCommand command = r.picked ? commandForProgram(r.text) : splitStoredCommand(r.text);
        EXPECT_EQ(command.folder + L"|" + command.commandLine, r.folder + L"|" + r.commandLine);
    }
}

// What a key on the history list did: "ran" when the dialog ended, else "loaded" and the edits'
// texts once the focus went on to the command line; each step waits for one or the other.
TEST(CommandDialog, EnterRunsAHistoryLineOnceItStandsInTheEditsAndLoadsItBefore) {
    const DWORD ui = GetCurrentThreadId();
    const struct { const char* name; bool doubleClicked; WORD key; std::vector<std::wstring> steps; } rows[] = {
        {"Enter on a line", false, VK_RETURN, {L"loaded F2|cmd 2", L"ran"}},
        {"Space on a line", false, VK_SPACE, {L"loaded F2|cmd 2", L"ran"}},
        {"Enter after a double click", true, VK_RETURN, {L"ran"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        StoredHistory stored(history(L"", 0, 4));
        std::vector<std::wstring> steps;
        DialogAction action(L"コマンド実行", [&](HWND d) {
            HWND list = GetDlgItem(d, IDC_COMMAND_HISTORY), command = GetDlgItem(d, IDC_COMMAND_LINE);
            selectLine(d, IDC_COMMAND_HISTORY, 2);
            SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
            if (r.doubleClicked)
                SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_COMMAND_HISTORY, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
            const auto open = [d] { return IsWindowVisible(d) != FALSE; };
            for (WORD key = r.key; open() && steps.size() < 2; key = VK_RETURN) {
                HWND focus = focusOf(ui);
                PostMessageW(focus, WM_KEYDOWN, key, 1);
                PostMessageW(focus, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
                // Loading is seen when the focus arrives on the command line, running when the dialog goes.
                const auto loaded = [&] { return focus != command && focusOf(ui) == command; };
                for (int waited = 0; waited < 10000 && open() && !loaded(); waited += 20) Sleep(20);
                steps.push_back(open() ? L"loaded " + windowText(GetDlgItem(d, IDC_COMMAND_FOLDER)) + L"|" +
                                             windowText(command)
                                       : L"ran");
            }
            if (open()) clickButton(d, IDCANCEL);
        });
        CommandHistory store;
        const INT_PTR result = CommandDialog(store, nullptr).doModal(stored.program.frameWindow());
        ASSERT_TRUE(action.finish());
        EXPECT_EQ(steps, r.steps);
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(stored.entries(), history(entry(2), 0, 4, 2));
    }
}

// Both program pickers ask the same: the platform takes the default extension without "*.", and a
// name that leads nowhere is not a program.
TEST(ProgramPick, AsksForAnExistingProgramAndAddsExeToATypedName) {
    wchar_t path[16] = {};
    const OPENFILENAMEW request = programPickRequest(HWND_DESKTOP, path, 16);
    EXPECT_STREQ(request.lpstrDefExt, L"exe");
    // Pairs of texts: the first pair's pattern follows its label.
    EXPECT_EQ(std::wstring(request.lpstrFilter + wcslen(request.lpstrFilter) + 1), L"*.exe;*.com;*.bat");
    EXPECT_EQ(request.Flags & (OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST), DWORD{OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST});
    EXPECT_EQ(request.lpstrFile, path);
    EXPECT_EQ(request.nMaxFile, 16u);
}
