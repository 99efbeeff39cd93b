// "コマンド実行": a command line with macros and its start folder, typed or picked from the
// command history; OK records it in the history for the caller to run.
#pragma once
#include "framework/Dialog.h"
#include "launch/StoredCommand.h"
#include <functional>
#include <string>
#include <vector>

class CommandHistory;

// Lets the user choose a folder starting at `folder`; true (with `folder` changed) when one was chosen.
using FolderChooser = std::function<bool(HWND owner, std::wstring& folder)>;

class CommandDialog : public Dialog {
public:
    CommandDialog(CommandHistory& history, FolderChooser chooseFolder);

    std::wstring commandLine;  // as last shown in the edit
    std::wstring startFolder;  // as last shown in the edit; empty means the pane's folder

    const std::vector<std::wstring>& entries() const { return entries_; }
    int pickedIndex() const { return picked_; }

protected:
    const MessageMap* messageMap() const override;
    bool onInitDialog() override;
    void doDataExchange(DataExchange& dx) override;
    void onOK() override;

private:
    void onPickLine();
    void onBrowseProgram();
    void onBrowseFolder();
    void onDeleteLine();
    void onDeleteAll();
    void insertLine(int index, const std::wstring& stored);
    int selectedLine() const;

    CommandHistory& history_;
    FolderChooser chooseFolder_;
    std::vector<std::wstring> entries_;  // the stored commands, in list order
    int picked_ = -1;                    // the history line last loaded into the edits
};

// The command and start folder for a program picked with the browse button: the program with its
// cursor entry as a quoted full path, started in the program's own folder. A program path with a
// blank is quoted, so the platform never takes its first word for another program.
StoredCommand commandForProgram(const std::wstring& programPath);
