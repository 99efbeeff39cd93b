// A command as the key bindings and the command history keep it: "start folder|command line".
#pragma once
#include <string>

struct StoredCommand {
    std::wstring folder;       // empty: the pane's folder
    std::wstring commandLine;
};

// Cuts at the first "|"; the command line may hold further ones. A text without "|" is a command
// line alone.
StoredCommand splitStoredCommand(const std::wstring& text);
// The stored form; the "|" is written also when the folder is empty.
std::wstring joinStoredCommand(const StoredCommand& command);
