#include "support/RunningProgram.h"
#include "support/UiDriver.h"

RunningProgram::RunningProgram() {
    wchar_t saved[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, saved);
    savedDirectory_ = saved;
}

RunningProgram::~RunningProgram() {
    stop();
    SetCurrentDirectoryW(savedDirectory_.c_str());
}

bool RunningProgram::start(const std::wstring& startFolder) {
    stop();
    SetCurrentDirectoryW(startFolder.c_str());
    app_ = std::make_unique<CVantorApp>(settingsPath());
    if (!app_->InitInstance()) return false;
    frame_ = dynamic_cast<CMainFrame*>(app_->mainWindow());
    pumpMessagesFor(100);
    return frame_ != nullptr;
}

void RunningProgram::stop() {
    if (frame_ && frame_->hwnd()) DestroyWindow(frame_->hwnd());
    frame_ = nullptr;
    app_.reset();
}

void RunningProgram::command(UINT id) {
    PostMessageW(frame_->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    pumpMessagesFor(50);
}

std::wstring RunningProgram::setting(const wchar_t* section, const wchar_t* key) const {
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(section, key, L"", value, 1024, settingsPath().c_str());
    return value;
}
