#include "framework/Window.h"

namespace {
constexpr wchar_t kWindowClass[] = L"VantorWindow";
constexpr wchar_t kObjectProp[] = L"VantorObject";

ATOM registerWindowClass(WNDPROC proc) {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(128));
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc);
}
}  // namespace

Window::~Window() {
    if (hwnd_) {
        // The object goes first: detach it so late messages take the default path.
        RemovePropW(hwnd_, kObjectProp);
        if (previousProc_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        else if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

const wchar_t* Window::windowClassName() {
    static const ATOM atom = registerWindowClass(&Window::staticWindowProc);
    (void)atom;
    return kWindowClass;
}

Window* Window::fromHandle(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropW(hwnd, kObjectProp)) : nullptr;
}

bool Window::createWindow(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                          HWND parent, HMENU menuOrId) {
    return CreateWindowExW(exStyle, windowClassName(), title, style, x, y, width, height, parent, menuOrId,
                           GetModuleHandleW(nullptr), this) != nullptr;
}

void Window::attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropW(hwnd, kObjectProp, this);
    previousProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::staticWindowProc)));
}

LRESULT CALLBACK Window::staticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = fromHandle(hwnd);
    if (!self && message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(cs->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            SetPropW(hwnd, kObjectProp, self);
        }
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    const DispatchScope scope(*self);
    LRESULT result = self->windowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, kObjectProp);
        if (self->previousProc_) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->previousProc_));
        self->hwnd_ = nullptr;
        self->previousProc_ = nullptr;
        self->releaseAfterDispatch();
    }
    return result;
}

Window::DispatchScope::~DispatchScope() {
    if (--window_.dispatchDepth_ > 0 || !window_.releasePending_) return;
    window_.releasePending_ = false;
    window_.onFinalRelease();  // may delete the object: nothing touches it after this
}

LRESULT Window::windowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const MSG msg{hwnd_, message, wParam, lParam, 0, {}};
    const MSG* saved = currentMessage_;
    currentMessage_ = &msg;
    MessageArgs args{message, wParam, lParam, 0, 0, nullptr};
    LRESULT result = dispatch(args) ? args.result : defaultProc(message, wParam, lParam);
    currentMessage_ = saved;
    return result;
}

bool Window::dispatch(MessageArgs& args) {
    if (args.message == WM_COMMAND) {
        if (onCommandMessage(args.wParam, args.lParam)) {
            args.result = 0;
            return true;
        }
        return false;
    }
    if (args.message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(args.lParam);
        if (const MessageEntry* e = findEntry(MessageEntry::Kind::Notify, WM_NOTIFY, header->code,
                                              static_cast<UINT>(header->idFrom))) {
            args.id = static_cast<UINT>(header->idFrom);
            e->call(this, args);
            return true;
        }
    }
    if (const MessageEntry* e = findEntry(MessageEntry::Kind::Message, args.message, 0, 0)) {
        e->call(this, args);
        return true;
    }
    return false;
}

bool Window::onCommandMessage(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    // Code 1 is an accelerator's and also some controls' (LBN_SELCHANGE, CBN_SELCHANGE): only a
    // control sends its window along, and a control's code 1 nobody maps stays a command as before.
    if (lParam != 0 && code != 0) {
        if (const MessageEntry* e = findEntry(MessageEntry::Kind::Control, WM_COMMAND, code, id)) {
            MessageArgs args{WM_COMMAND, wParam, lParam, 0, id, nullptr};
            e->call(this, args);
            return true;
        }
        if (code > 1) return false;
    }
    // A command that became disabled since its menu or accelerator was shown is dropped.
    CommandUI state(id);
    if (onCmdMsg(id, CommandMode::Update, &state) && !state.enabled()) return true;
    return onCmdMsg(id, CommandMode::Execute, nullptr);
}

LRESULT Window::callDefault() {
    if (!currentMessage_) return 0;
    return defaultProc(currentMessage_->message, currentMessage_->wParam, currentMessage_->lParam);
}

LRESULT Window::defaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (previousProc_) return CallWindowProcW(previousProc_, hwnd_, message, wParam, lParam);
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Window::PreTranslateMessage(MSG&) { return false; }

std::wstring loadString(UINT id) {
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}
