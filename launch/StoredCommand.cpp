#include "launch/StoredCommand.h"

StoredCommand splitStoredCommand(const std::wstring& text) {
    const size_t bar = text.find(L'|');
    if (bar == std::wstring::npos) return {L"", text};
    return {text.substr(0, bar), text.substr(bar + 1)};
}

std::wstring joinStoredCommand(const StoredCommand& command) { return command.folder + L"|" + command.commandLine; }
