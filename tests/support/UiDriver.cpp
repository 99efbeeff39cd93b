#include "support/UiDriver.h"
#include <vector>

namespace {
struct Search {
    const std::wstring* title;
    HWND found;
};

// Titles may list alternatives separated by "|" (the system's dialogs change title with the locale).
bool titleMatches(const std::wstring& text, const std::wstring& titles) {
    size_t start = 0;
    for (;;) {
        const size_t bar = titles.find(L'|', start);
        if (text == titles.substr(start, bar - start)) return true;
        if (bar == std::wstring::npos) return false;
        start = bar + 1;
    }
}

// The caption as the window manager keeps it. Unlike WM_GETTEXT this never waits for the window's
// thread, which may itself be waiting for the helper thread when the expected window never came.
std::wstring storedCaption(HWND hwnd) {
    wchar_t buffer[1024] = {};
    InternalGetWindowText(hwnd, buffer, 1024);
    return buffer;
}

BOOL CALLBACK matchTitle(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (IsWindowVisible(hwnd) && titleMatches(storedCaption(hwnd), *search->title)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK collectStatic(HWND hwnd, LPARAM lParam) {
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (_wcsicmp(cls, L"Static") == 0) {
        const std::wstring text = windowText(hwnd);
        if (!text.empty()) {
            auto* all = reinterpret_cast<std::wstring*>(lParam);
            if (!all->empty()) all->push_back(L'\n');
            *all += text;
        }
    }
    return TRUE;
}
}  // namespace

std::wstring windowText(HWND window) {
    wchar_t buffer[1024] = {};
    // WM_GETTEXT rather than GetWindowText, which does not ask windows of other threads for their text.
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

HWND waitForWindow(DWORD threadId, const std::wstring& title, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        Search search{&title, nullptr};
        EnumThreadWindows(threadId, &matchTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(20);
    }
    return nullptr;
}

std::wstring staticTexts(HWND window) {
    std::wstring all;
    EnumChildWindows(window, &collectStatic, reinterpret_cast<LPARAM>(&all));
    return all;
}

void clickButton(HWND dialog, int id) {
    // Posted, not sent: the click may open a modal box, and a sent message would wait for it to close.
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND focusOf(DWORD threadId) {
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

DialogAction::DialogAction(const std::wstring& title, std::function<void(HWND)> action, int timeoutMs) {
    const DWORD uiThread = GetCurrentThreadId();
    thread_ = std::thread([this, uiThread, title, action = std::move(action), timeoutMs] {
        if (HWND window = waitForWindow(uiThread, title, timeoutMs)) {
            action(window);
            ran_ = true;
        }
    });
}

DialogAction::~DialogAction() { finish(); }

bool DialogAction::finish() {
    if (thread_.joinable()) thread_.join();
    return ran_;
}

void pumpMessagesFor(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

void discardQuitMessage() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

HWND shownMainWindowOf(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND window;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* found = reinterpret_cast<Search*>(lParam);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid != found->processId || !IsWindowVisible(hwnd) || !GetMenu(hwnd)) return TRUE;
            found->window = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.window;
}
