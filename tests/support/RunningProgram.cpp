#include "support/RunningProgram.h"
#include "support/UiDriver.h"
#include "common/PathUtil.h"
#include "framework/ProfileText.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>

RunningProgram::RunningProgram() : savedDirectory_(currentDirectory()) {}

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
    if (frame_) settle();
    return frame_ != nullptr;
}

void RunningProgram::stop() {
    if (frame_ && frame_->hwnd()) DestroyWindow(frame_->hwnd());
    frame_ = nullptr;
    app_.reset();
    discardQuitMessage();
}

void RunningProgram::command(UINT id) {
    PostMessageW(frame_->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    pumpMessagesFor(50);
    settle();
}

void RunningProgram::settle() {
    const auto idle = [&] {
        for (int column = 0; column < 2; ++column)
            if (CVantorView* pane = frame_ ? frame_->paneInColumn(column) : nullptr;
                pane && column != unsettled_ && pane->busy())
                return false;
        return true;
    };
    if (!pumpUntil(idle)) ADD_FAILURE() << "the panes still had reads of their folders under way after 5 s";
}

std::wstring RunningProgram::setting(const wchar_t* section, const wchar_t* key) const {
    return readProfileText(section, key, L"", settingsPath());
}

void RunningProgram::pump(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<int>(end - GetTickCount()) > 0) {
        while (app_->pumpMessage()) {
        }
        Sleep(5);
    }
}

bool RunningProgram::pumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        while (app_->pumpMessage()) {
        }
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void RunningProgram::pressKey(WORD virtualKey, unsigned modifiers, HWND window) {
    if (!window) window = frame_->activeView() ? frame_->activeView()->hwnd() : frame_->hwnd();
    BYTE saved[256] = {}, held[256] = {};
    GetKeyboardState(saved);
    std::copy(std::begin(saved), std::end(saved), std::begin(held));
    const auto hold = [&](int key, bool down) {
        held[key] = down ? 0x80 : 0;
    };
    hold(VK_SHIFT, modifiers & kShift);
    hold(VK_CONTROL, modifiers & kCtrl);
    hold(VK_MENU, modifiers & kAlt);
    SetKeyboardState(held);
    // With Alt held, as the platform sends them: system keys with the context bit.
    const bool alt = (modifiers & kAlt) != 0;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM down = 1 | scan | (alt ? (1 << 29) : 0);
    PostMessageW(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, down);
    pump(30);
    PostMessageW(window, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, down | (1u << 30) | (1u << 31));
    pump(30);
    SetKeyboardState(saved);
    pump(20);
    settle();
}
