// "コマンド実行": a command line with macros and its start folder, typed or picked from the
// command history; OK records it in the history for the caller to run.
#pragma once
#include "framework/Dialog.h"
#include "launch/ProgramCommand.h"
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
    // Loads the selected history line into the edits; false when no line is selected.
    bool onPickLine();
    void pickLineByKey();
    // Whether the edits hold what history line `line` loads.
    bool editsShowLine(int line);
    // Keys on the history list: Space loads the selected line; Enter loads it, or runs it once the
    // edits hold it.
    LRESULT onHistoryKey(WPARAM wParam, LPARAM lParam);
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
