#include "launch/CommandDialog.h"
#include "common/PathUtil.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "launch/CommandHistory.h"
#include "resource.h"
#include <commdlg.h>

CommandDialog::CommandDialog(CommandHistory& history, FolderChooser chooseFolder)
    : Dialog(IDD_COMMAND), history_(history), chooseFolder_(std::move(chooseFolder)) {}

const MessageMap* CommandDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onControl<LBN_DBLCLK, IDC_COMMAND_HISTORY, &CommandDialog::onPickLine>(),
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

void CommandDialog::onPickLine() {
    const int line = selectedLine();
    if (line < 0 || static_cast<size_t>(line) >= entries_.size()) return;
    const StoredCommand picked = splitStoredCommand(entries_[static_cast<size_t>(line)]);
    startFolder = picked.folder;
    commandLine = picked.commandLine;
    updateData(false);
    picked_ = line;
}

void CommandDialog::onBrowseProgram() {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hwnd_;
    ofn.lpstrFilter = L"実行ファイル(*.exe;*.com;*.bat)\0*.exe;*.com;*.bat\0All Files (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"*.exe";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameW(&ofn)) return;
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

StoredCommand commandForProgram(const std::wstring& programPath) {
    const size_t slash = programPath.rfind(L'\\');
    // A program at a drive's root starts in the root itself, not in the drive's current folder ("C:").
    const std::wstring folder =
        slash == std::wstring::npos ? std::wstring() : withoutTrailingBackslash(programPath.substr(0, slash + 1));
    const bool blank = programPath.find(L' ') != std::wstring::npos;
    return {folder, (blank ? L"\"" + programPath + L"\"" : programPath) + L" $fqC"};
}
