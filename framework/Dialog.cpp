#include "framework/Dialog.h"
#include "framework/AccessibleName.h"
#include "framework/Application.h"
#include "framework/DataExchange.h"

namespace {
constexpr wchar_t kObjectProp[] = L"VantorObject";

// Messages whose answer a dialog procedure returns directly instead of through DWLP_MSGRESULT.
bool answersDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG: case WM_CHARTOITEM: case WM_VKEYTOITEM: case WM_COMPAREITEM: case WM_QUERYDRAGICON:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

// Whether a button's text says anything: "…" or "..." does not.
bool textNamesSomething(const wchar_t* text) {
    for (; *text; ++text)
        if (IsCharAlphaNumericW(*text) || *text >= 0x3000) return true;
    return false;
}

// A push button whose text names nothing ("…") is named for screen readers by the string of its
// own id in the dialog's module, when there is one.
void nameTextlessButtons(HWND dialog) {
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {}, text[16] = {};
        GetClassNameW(child, cls, 16);
        const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
        if (_wcsicmp(cls, L"Button") != 0 || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)) continue;
        GetWindowTextW(child, text, 16);
        if (!*text || textNamesSomething(text)) continue;
        const wchar_t* name = nullptr;
        const int length = LoadStringW(module, static_cast<UINT>(GetDlgCtrlID(child)), reinterpret_cast<LPWSTR>(&name), 0);
        if (length > 0) setAccessibleName(child, std::wstring(name, static_cast<size_t>(length)));
    }
}
}  // namespace

Dialog::~Dialog() {
    if (hwnd_ && !modal_) {
        if (Application* app = Application::instance()) app->removeModeless(hwnd_);
        // Unbind first so that the destruction messages do not reach a half-destroyed object.
        RemovePropW(hwnd_, kObjectProp);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

const MessageMap* Dialog::messageMap() const {
    static const MessageMap map{Window::messageMap(), {}};
    return &map;
}

INT_PTR Dialog::doModal(HWND parent) {
    modal_ = true;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                           &Dialog::staticDialogProc, reinterpret_cast<LPARAM>(this));
}

bool Dialog::create(HWND parent) {
    modal_ = false;
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                     &Dialog::staticDialogProc, reinterpret_cast<LPARAM>(this));
    if (!dialog) return false;
    if (Application* app = Application::instance()) app->addModeless(dialog);
    return true;
}

INT_PTR CALLBACK Dialog::staticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self && message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        SetPropW(hwnd, kObjectProp, self);
    }
    if (!self) return FALSE;

    const DispatchScope scope(*self);
    // A handler may send the dialog further messages; each dispatch keeps its own answer.
    const bool outerHandled = self->handled_;
    self->handled_ = true;
    LRESULT result = self->windowProc(message, wParam, lParam);
    const bool handled = self->handled_;
    self->handled_ = outerHandled;
    if (message == WM_NCDESTROY) {
        if (!self->modal_) {
            if (Application* app = Application::instance()) app->removeModeless(hwnd);
        }
        RemovePropW(hwnd, kObjectProp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->releaseAfterDispatch();
        return FALSE;
    }
    if (message == WM_INITDIALOG) {
        nameTextlessButtons(hwnd);
        return handled ? result : self->onInitDialog();
    }
    if (!handled) return FALSE;
    if (answersDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

// A dialog's default processing is the dialog manager's: tell it the message was not handled.
LRESULT Dialog::defaultProc(UINT, WPARAM, LPARAM) {
    handled_ = false;
    return 0;
}

bool Dialog::onInitDialog() {
    updateData(false);
    return true;
}

bool Dialog::onCommandMessage(WPARAM wParam, LPARAM lParam) {
    if (Window::onCommandMessage(wParam, lParam)) return true;
    if (HIWORD(wParam) > 1) return false;
    switch (LOWORD(wParam)) {
    case IDOK: onOK(); return true;
    case IDCANCEL: onCancel(); return true;
    default: return false;
    }
}

void Dialog::onOK() {
    if (updateData(true)) endDialog(IDOK);
}

void Dialog::onCancel() { endDialog(IDCANCEL); }

void Dialog::endDialog(INT_PTR result) {
    if (modal_) EndDialog(hwnd_, result);
    else DestroyWindow(hwnd_);
}

bool Dialog::updateData(bool saveAndValidate) {
    DataExchange dx(*this, saveAndValidate);
    doDataExchange(dx);
    return !dx.failed();
}

std::wstring Dialog::itemText(int id) const {
    HWND control = item(id);
    if (!control) return L"";
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}
