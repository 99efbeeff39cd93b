// Starting programs from a pane: command lines expanded from macros, run without waiting for them.
#pragma once
#include "launch/MacroExpander.h"
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

// One start the launcher tried.
struct LaunchAttempt {
    std::wstring commandLine;
    std::wstring folder;
    bool started = false;
};

// Starts `commandLine` with `folder` as the new process's current folder; the program is taken
// from the command line's first token. No handle is kept. False when the process could not start,
// and for a command line of 32,767 characters or more, which the platform would cut.
bool startProcess(const std::wstring& commandLine, const std::wstring& folder);

// Expands `macro` for the scene and starts it in `startFolder` (the scene's folder when empty);
// a macro with "$M" is expanded and started again until every target has had its turn. A start
// that fails says "コマンドの起動に失敗しました" in a box owned by `owner` and ends the run, so a
// run over many targets says it once. A failed expansion starts nothing and says nothing. The
// attempts in the order they were made.
std::vector<LaunchAttempt> launch(HWND owner, const std::wstring& macro, const std::wstring& startFolder,
                                  const MacroScene& scene);

// The command interpreter named by "ComSpec"; none when it is not set or longer than a path.
std::optional<std::wstring> commandInterpreter();
