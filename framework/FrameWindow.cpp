#include "framework/FrameWindow.h"
#include "framework/Application.h"
#include "framework/BarLayout.h"
#include "framework/ControlBar.h"
#include "framework/Document.h"
#include "framework/StatusBar.h"
#include "framework/View.h"
#include <algorithm>

const MessageMap* FrameWindow::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_CREATE, &FrameWindow::onCreate>(),
        onMessage<WM_SIZE, &FrameWindow::onSize>(),
        onMessage<WM_INITMENUPOPUP, &FrameWindow::onInitMenuPopup>(),
        onMessage<WM_CLOSE, &FrameWindow::onClose>(),
        onMessage<WM_DESTROY, &FrameWindow::onDestroy>(),
        onMessage<WM_SETFOCUS, &FrameWindow::onSetFocus>(),
        onMessage<WM_MENUSELECT, &FrameWindow::onMenuSelect>(),
        onMessage<WM_EXITMENULOOP, &FrameWindow::onExitMenuLoop>(),
    };
    static const MessageMap map{Window::messageMap(), entries};
    return &map;
}

FrameWindow::~FrameWindow() {
    for (ControlBar* bar : bars_) bar->frame_ = nullptr;
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
    if (!hwnd_) return;
    RECT area;
    GetClientRect(hwnd_, &area);
    std::vector<ControlBar*> shown;
    std::vector<int> heights;
    for (ControlBar* bar : bars_) {
        if (!bar->isShown()) continue;
        shown.push_back(bar);
        heights.push_back(bar->barHeight());
    }
    const BottomDock dock = dockAtBottom(area, heights);
    for (size_t i = 0; i < shown.size(); ++i) {
        const RECT& r = dock.bars[i];
        MoveWindow(shown[i]->barHandle(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    if (HWND client = clientArea()) {
        const RECT& r = dock.client;
        MoveWindow(client, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
}

HWND FrameWindow::clientArea() const {
    if (clientWindow_) return clientWindow_;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool isBar = std::any_of(bars_.begin(), bars_.end(),
                                       [child](const ControlBar* bar) { return bar->barHandle() == child; });
        if (!isBar) return child;
    }
    return nullptr;
}

void FrameWindow::addControlBar(ControlBar& bar) {
    if (std::find(bars_.begin(), bars_.end(), &bar) != bars_.end()) return;
    bars_.push_back(&bar);
    bar.frame_ = this;
    recalcLayout();
}

void FrameWindow::removeControlBar(ControlBar& bar) {
    bars_.erase(std::remove(bars_.begin(), bars_.end(), &bar), bars_.end());
    if (bar.frame_ == this) bar.frame_ = nullptr;
}

ControlBar* FrameWindow::controlBar(UINT id) const {
    for (ControlBar* bar : bars_) {
        if (bar->barHandle() && bar->controlId() == id) return bar;
    }
    return nullptr;
}

void FrameWindow::rescaleBars(UINT oldDpi, UINT newDpi) {
    for (ControlBar* bar : bars_) bar->rescale(oldDpi, newDpi);
    recalcLayout();
}

void FrameWindow::showControlBar(UINT id, bool show) {
    ControlBar* bar = controlBar(id);
    if (!bar || bar->isShown() == show) return;
    ShowWindow(bar->barHandle(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
    recalcLayout();
}

bool FrameWindow::isControlBarVisible(UINT id) const {
    const ControlBar* bar = controlBar(id);
    return bar && bar->isShown();
}

namespace {
std::wstring barStateKey(UINT id) { return L"Bar" + std::to_wstring(id); }
}  // namespace

void FrameWindow::saveBarState(const wchar_t* profileName) const {
    const Application* app = Application::instance();
    if (!app) return;
    for (const ControlBar* bar : bars_) {
        if (bar->barHandle()) app->writeProfileInt(profileName, barStateKey(bar->controlId()).c_str(), bar->isShown());
    }
}

void FrameWindow::loadBarState(const wchar_t* profileName) {
    const Application* app = Application::instance();
    if (!app) return;
    for (ControlBar* bar : bars_) {
        if (!bar->barHandle()) continue;
        const int shown = app->getProfileInt(profileName, barStateKey(bar->controlId()).c_str(), -1);
        if (shown >= 0) ShowWindow(bar->barHandle(), shown ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    recalcLayout();
}

bool FrameWindow::onBarCommand(UINT id, CommandMode mode, CommandUI* ui) {
    ControlBar* bar = controlBar(id);
    if (!bar) return false;
    if (mode == CommandMode::Execute) {
        showControlBar(id, !bar->isShown());
    } else if (mode == CommandMode::Update && ui) {
        ui->enable(true);
        ui->check(bar->isShown());
    }
    return true;
}

void FrameWindow::onIdleUpdate() {
    // Copied first: an update handler may create or remove bars.
    const std::vector<ControlBar*> bars = bars_;
    for (ControlBar* bar : bars) {
        if (bar->isShown()) bar->onIdleUpdate(*this);
    }
}

StatusBar* FrameWindow::messageBar() const {
    for (ControlBar* bar : bars_) {
        if (auto* status = dynamic_cast<StatusBar*>(bar)) return status;
    }
    return nullptr;
}

LRESULT FrameWindow::onMenuSelect(WPARAM wParam, LPARAM lParam) {
    callDefault();
    if (StatusBar* status = messageBar())
        status->showMenuPrompt(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
    return 0;
}

void FrameWindow::onExitMenuLoop() {
    callDefault();
    if (StatusBar* status = messageBar()) status->showIdleText();
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
    if (onBarCommand(id, mode, ui)) return true;
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
