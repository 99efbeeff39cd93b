#include "framework/Application.h"
#include "framework/DocTemplate.h"
#include "framework/FrameWindow.h"
#include "framework/ProfileText.h"
#include "framework/Window.h"
#include <algorithm>
#include <cwchar>

Application* Application::instance_ = nullptr;

Application::Application() { instance_ = this; }

Application::~Application() {
    delete docTemplate_;
    if (instance_ == this) instance_ = nullptr;
}

int Application::run() {
    for (;;) {
        MSG msg;
        while (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!idlePending_) break;
            onIdle();
            idlePending_ = false;
        }
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) return got == 0 ? static_cast<int>(msg.wParam) : -1;
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        // Input and paint start a new idle round, as timers and internal messages do not.
        if (msg.message != WM_TIMER && msg.message != WM_PAINT && msg.message != 0x0118 /* caret blink */)
            idlePending_ = true;
    }
}

bool Application::pumpMessage() {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!PreTranslateMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

bool Application::PreTranslateMessage(MSG& msg) {
    // A dialog window of its own (a progress dialog) keeps its keys. A dialog inside another window
    // (a bar in the frame) comes after the windows around it: the frame sees every key first, and a
    // key aimed at a bar's focused button still reaches the frame's accelerators.
    if (dialogMessage(msg, false)) return true;
    if (windowsPreTranslate(msg)) return true;
    return dialogMessage(msg, true);
}

bool Application::dialogMessage(MSG& msg, bool childDialogs) {
    for (HWND dialog : modeless_) {
        if (!IsWindow(dialog)) continue;
        const bool child = (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) != 0;
        if (child == childDialogs && IsDialogMessageW(dialog, &msg)) return true;
    }
    return false;
}

bool Application::windowsPreTranslate(MSG& msg) {
    // The window the message is for, then each parent up to the main window, may take it.
    for (HWND h = msg.hwnd; h; h = GetParent(h)) {
        if (Window* w = Window::fromHandle(h); w && w->PreTranslateMessage(msg)) return true;
        if (mainWindow_ && h == mainWindow_->hwnd()) return false;
    }
    return mainWindow_ && !msg.hwnd ? mainWindow_->PreTranslateMessage(msg) : false;
}

void Application::onIdle() {
    if (auto* frame = dynamic_cast<FrameWindow*>(mainWindow_)) frame->onIdleUpdate();
}

void Application::addModeless(HWND dialog) { modeless_.push_back(dialog); }

void Application::removeModeless(HWND dialog) {
    modeless_.erase(std::remove(modeless_.begin(), modeless_.end(), dialog), modeless_.end());
}

int Application::getProfileInt(const wchar_t* section, const wchar_t* key, int defaultValue) const {
    return static_cast<int>(GetPrivateProfileIntW(section, key, defaultValue, profilePath_.c_str()));
}

std::wstring Application::getProfileString(const wchar_t* section, const wchar_t* key,
                                           const wchar_t* defaultValue) const {
    return readProfileText(section, key, defaultValue, profilePath_);
}

bool Application::writeProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* value) const {
    return WritePrivateProfileStringW(section, key, value, profilePath_.c_str()) != FALSE;
}

bool Application::writeProfileInt(const wchar_t* section, const wchar_t* key, int value) const {
    wchar_t text[16];
    swprintf(text, 16, L"%d", value);
    return writeProfileString(section, key, text);
}

void Application::addDocTemplate(DocTemplate* docTemplate) {
    delete docTemplate_;
    docTemplate_ = docTemplate;
}

bool Application::processShellCommand() {
    return docTemplate_ && docTemplate_->openNewDocument() != nullptr;
}

void Application::onFileNew() {
    if (docTemplate_) docTemplate_->openNewDocument();
}
