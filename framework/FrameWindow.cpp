#include "framework/FrameWindow.h"
#include "framework/Application.h"
#include "framework/Document.h"
#include "framework/View.h"

const MessageMap* FrameWindow::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_CREATE, &FrameWindow::onCreate>(),
        onMessage<WM_SIZE, &FrameWindow::onSize>(),
        onMessage<WM_INITMENUPOPUP, &FrameWindow::onInitMenuPopup>(),
        onMessage<WM_CLOSE, &FrameWindow::onClose>(),
        onMessage<WM_DESTROY, &FrameWindow::onDestroy>(),
        onMessage<WM_SETFOCUS, &FrameWindow::onSetFocus>(),
    };
    static const MessageMap map{Window::messageMap(), entries};
    return &map;
}

bool FrameWindow::loadFrame(UINT resourceId, DWORD style) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(resourceId));
    if (!createWindow(0, appName_.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      nullptr, menu)) {
        if (menu) DestroyMenu(menu);
        return false;
    }
    updateCaption();
    return true;
}

LRESULT FrameWindow::onCreate(WPARAM, LPARAM lParam) {
    if (callDefault() == -1) return -1;
    return onCreateClient(*reinterpret_cast<const CREATESTRUCTW*>(lParam)) ? 0 : -1;
}

void FrameWindow::onSize(UINT, int, int) {
    callDefault();
    recalcLayout();
}

void FrameWindow::recalcLayout() {
    HWND client = clientWindow_ ? clientWindow_ : GetWindow(hwnd_, GW_CHILD);
    if (!client) return;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    MoveWindow(client, 0, 0, rc.right, rc.bottom, TRUE);
}

void FrameWindow::setActiveView(View* view) {
    if (view == activeView_) return;
    View* previous = activeView_;
    activeView_ = view;
    if (previous) previous->onActivateView(false);
    if (view) view->onActivateView(true);
}

void FrameWindow::updateCaption() {
    if (!hwnd_) return;
    std::wstring caption = appName_;
    if (document_ && !document_->title().empty()) caption = document_->title() + L" - " + appName_;
    SetWindowTextW(hwnd_, caption.c_str());
}

bool FrameWindow::onCmdMsg(UINT id, CommandMode mode, CommandUI* ui) {
    if (activeView_ && activeView_->onCmdMsg(id, mode, ui)) return true;
    if (dispatchOwnCommand(id, mode, ui)) return true;
    if (Application* app = Application::instance()) return app->onCmdMsg(id, mode, ui);
    return false;
}

void FrameWindow::updateMenuState(HMENU popup) {
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(popup, i);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separator or sub-menu
        MenuCommandUI state(popup, static_cast<UINT>(i), id);
        if (onCmdMsg(id, CommandMode::Update, &state)) continue;
        // Without an update handler an item is enabled exactly when someone carries it out.
        state.enable(onCmdMsg(id, CommandMode::Probe, nullptr));
    }
}

LRESULT FrameWindow::onInitMenuPopup(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(lParam)) return callDefault();  // the system menu
    updateMenuState(reinterpret_cast<HMENU>(wParam));
    return 0;
}

void FrameWindow::onClose() {
    DestroyWindow(hwnd_);
}

void FrameWindow::onDestroy() {
    callDefault();
    Application* app = Application::instance();
    if (app && app->mainWindow() == this) {
        app->setMainWindow(nullptr);
        PostQuitMessage(0);
    }
}

void FrameWindow::onSetFocus() {
    if (activeView_ && activeView_->hwnd()) SetFocus(activeView_->hwnd());
    else callDefault();
}
