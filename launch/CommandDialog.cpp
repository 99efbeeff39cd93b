#include "launch/CommandDialog.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "launch/CommandHistory.h"
#include "resource.h"

CommandDialog::CommandDialog(CommandHistory& history, FolderChooser chooseFolder)
    : Dialog(IDD_COMMAND), history_(history), chooseFolder_(std::move(chooseFolder)) {}

const MessageMap* CommandDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onControl<LBN_DBLCLK, IDC_COMMAND_HISTORY, &CommandDialog::onPickLine>(),
        onMessage<WM_VKEYTOITEM, &CommandDialog::onHistoryKey>(),
        onCommand<IDC_COMMAND_BROWSE, &CommandDialog::onBrowseProgram>(),
        onCommand<IDC_COMMAND_FOLDER_BROWSE, &CommandDialog::onBrowseFolder>(),
        onCommand<IDC_COMMAND_DELETE, &CommandDialog::onDeleteLine>(),
        onCommand<IDC_COMMAND_DELETE_ALL, &CommandDialog::onDeleteAll>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

void CommandDialog::doDataExchange(DataExchange& dx) {
    dx.text(IDC_COMMAND_LINE, commandLine);
    dx.text(IDC_COMMAND_FOLDER, startFolder);
}

bool CommandDialog::onInitDialog() {
    const bool focusBySystem = Dialog::onInitDialog();
    SendMessageW(item(IDC_COMMAND_HISTORY), LB_RESETCONTENT, 0, 0);
    entries_ = history_.load();
    for (size_t i = 0; i < entries_.size(); ++i) insertLine(static_cast<int>(i), entries_[i]);
    return focusBySystem;
}

void CommandDialog::insertLine(int index, const std::wstring& stored) {
    const std::wstring line = splitStoredCommand(stored).commandLine;
    SendMessageW(item(IDC_COMMAND_HISTORY), LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(line.c_str()));
}

int CommandDialog::selectedLine() const {
    const LRESULT line = SendMessageW(item(IDC_COMMAND_HISTORY), LB_GETCURSEL, 0, 0);
    return line == LB_ERR ? -1 : static_cast<int>(line);
}

bool CommandDialog::onPickLine() {
    const int line = selectedLine();
    if (line < 0 || static_cast<size_t>(line) >= entries_.size()) return false;
    const StoredCommand picked = splitStoredCommand(entries_[static_cast<size_t>(line)]);
    startFolder = picked.folder;
    commandLine = picked.commandLine;
    updateData(false);
    picked_ = line;
    return true;
}

void CommandDialog::pickLineByKey() {
    // The focus moves on to the command line, so the next Enter runs what was loaded.
    if (onPickLine()) SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDC_COMMAND_LINE)), TRUE);
}

bool CommandDialog::editsShowLine(int line) {
    updateData(true);
    const StoredCommand stored = splitStoredCommand(entries_[static_cast<size_t>(line)]);
    return stored.folder == startFolder && stored.commandLine == commandLine;
}

LRESULT CommandDialog::onHistoryKey(WPARAM wParam, LPARAM) {
    const WORD key = LOWORD(wParam);
    if (key == VK_RETURN) {
        onOK();
    } else if (key == VK_SPACE) {
        pickLineByKey();
    } else {
        return -1;  // the list's own handling
    }
    return -2;
}

void CommandDialog::onBrowseProgram() {
    const std::wstring path = pickProgram(hwnd_);
    if (path.empty()) return;
    const StoredCommand chosen = commandForProgram(path);
    commandLine = chosen.commandLine;
    startFolder = chosen.folder;
    updateData(false);
    picked_ = -1;
}

void CommandDialog::onBrowseFolder() {
    updateData(true);
    if (chooseFolder_) chooseFolder_(hwnd_, startFolder);
    updateData(false);
}

void CommandDialog::onDeleteLine() {
    const int line = selectedLine();
    if (line < 0 || static_cast<size_t>(line) >= entries_.size()) return;
    SendMessageW(item(IDC_COMMAND_HISTORY), LB_DELETESTRING, static_cast<WPARAM>(line), 0);
    entries_.erase(entries_.begin() + line);
    picked_ = -1;
    history_.store(entries_);
}

void CommandDialog::onDeleteAll() {
    const UINT flags = MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
    if (showMessageBox(hwnd_, L"全て削除します\nよろしいですか？", flags) != IDOK) return;
    SendMessageW(item(IDC_COMMAND_HISTORY), LB_RESETCONTENT, 0, 0);
    history_.clearAll();
    entries_.clear();
    picked_ = -1;
}

void CommandDialog::onOK() {
    // Enter reaches a dialog as its OK button. On a history line not in the edits yet it loads the
    // line, as a double click does; once the line stands there (after a double click or an Enter)
    // it runs, so a line picked with the arrows runs with two presses of Enter.
    const int line = GetFocus() == item(IDC_COMMAND_HISTORY) ? selectedLine() : -1;
    if (line >= 0 && static_cast<size_t>(line) < entries_.size()) {
        if (!editsShowLine(line)) {
            pickLineByKey();
            return;
        }
        // Run as the loaded line, so that it moves to the top rather than standing twice.
        picked_ = line;
    }
    updateData(true);
    if (commandLine.empty()) {
        onCancel();
        return;
    }
    // Written before the program starts, so a command that fails to start can be corrected from the list.
    entries_ = historyAfterRun(entries_, joinStoredCommand({startFolder, commandLine}), picked_, history_.slotCount());
    history_.store(entries_);
    endDialog(IDOK);
}
