#include "launch/Launcher.h"
#include "framework/Handles.h"
#include "framework/MessageBox.h"
#include <vector>

namespace {
// The platform takes a command line of at most this many characters, its terminating NUL included,
// and cuts a longer one without a word: the program would start on part of its list.
constexpr size_t kCommandLineLimit = 32767;
}  // namespace

bool startProcess(const std::wstring& commandLine, const std::wstring& folder) {
    if (commandLine.size() >= kCommandLineLimit) return false;
    // The platform may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return false;
    UniqueHandle ownProcess(process.hProcess), ownThread(process.hThread);
    return true;
}

std::vector<LaunchAttempt> launch(HWND owner, const std::wstring& macro, const std::wstring& startFolder,
                                  const MacroScene& scene) {
    std::vector<LaunchAttempt> attempts;
    const MacroExpander expander(scene);
    const std::wstring folder = startFolder.empty() ? scene.folder : startFolder;
    const int total = static_cast<int>(scene.targets.size());
    int consumed = 0;
    do {
        const std::optional<std::wstring> commandLine = expander.expand(macro, consumed);
        if (!commandLine) break;
        const bool started = startProcess(*commandLine, folder);
        attempts.push_back({*commandLine, folder, started});
        // What kept one start from happening (a missing program, a line too long) keeps the next
        // ones too: one box for the run, not one per target.
        if (!started) {
            showMessageBox(owner, L"コマンドの起動に失敗しました", MB_ICONSTOP | MB_OK, L"error message");
            break;
        }
    } while (MacroExpander::runsAgain(consumed, total));
    return attempts;
}

std::optional<std::wstring> commandInterpreter() {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"ComSpec", value, MAX_PATH);
    // Zero: not set (or empty); MAX_PATH or more: the size it would need, so it did not fit.
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    return std::wstring(value, length);
}
