#include "framework/DialogBar.h"
#include "framework/Dpi.h"
#include "framework/Application.h"
#include "framework/FrameWindow.h"
#include <cstring>
#include <vector>

namespace {
// Makes a copy of a dialog template describe a plain child window: a bar has no caption or frame, and
// is shown by the frame only once it is docked.
bool makeChildTemplate(std::vector<BYTE>& bytes) {
    constexpr DWORD kDropped = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | WS_DISABLED |
                               DS_MODALFRAME | DS_CENTER | DS_SYSMODAL | DS_ABSALIGN;
    constexpr DWORD kDroppedEx = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_APPWINDOW |
                                 WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    // DLGTEMPLATEEX: version 1, signature 0xFFFF, help id, extended style, style. DLGTEMPLATE: style first.
    const bool extended = bytes.size() >= 16 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    const size_t styleAt = extended ? 12 : 0;
    const size_t exStyleAt = extended ? 8 : 4;
    if (bytes.size() < styleAt + 4 || bytes.size() < exStyleAt + 4) return false;
    DWORD style, exStyle;
    std::memcpy(&style, &bytes[styleAt], 4);
    std::memcpy(&exStyle, &bytes[exStyleAt], 4);
    style = (style & ~kDropped) | WS_CHILD | WS_CLIPSIBLINGS;
    exStyle &= ~kDroppedEx;
    std::memcpy(&bytes[styleAt], &style, 4);
    std::memcpy(&bytes[exStyleAt], &exStyle, 4);
    return true;
}
}  // namespace

const MessageMap* DialogBar::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_ERASEBKGND, &DialogBar::onEraseBackground>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

bool DialogBar::create(FrameWindow& frame, UINT controlId) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(templateId()), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    const auto* first = static_cast<const BYTE*>(data);
    std::vector<BYTE> bytes(first, first + SizeofResource(instance, found));
    // The copy must be DWORD aligned for the dialog manager; vector storage from operator new is.
    if (!makeChildTemplate(bytes)) return false;

    HWND bar = CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), frame.hwnd(),
                                          &Dialog::staticDialogProc, reinterpret_cast<LPARAM>(static_cast<Dialog*>(this)));
    if (!bar) return false;
    SetWindowLongPtrW(bar, GWLP_ID, static_cast<LONG_PTR>(controlId));
    RECT rc;
    GetWindowRect(bar, &rc);
    height_ = rc.bottom - rc.top;
    // Keys that the frame's accelerators leave (Tab and the arrows when unbound) move between the bar's
    // buttons as in any dialog.
    if (Application* app = Application::instance()) app->addModeless(bar);
    ShowWindow(bar, SW_SHOWNOACTIVATE);
    dockIn(frame);
    return true;
}

void DialogBar::rescale(UINT oldDpi, UINT newDpi) {
    if (!hwnd_ || oldDpi == newDpi) return;
    height_ = MulDiv(height_, static_cast<int>(newDpi), static_cast<int>(oldDpi));
    GdiObject<HFONT> font(rescaledFont(reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)), oldDpi, newDpi));
    if (!font) return;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);  // the old one goes only once nothing draws with it
}

bool DialogBar::onCommandMessage(WPARAM wParam, LPARAM lParam) {
    // Controls' notifications stay with the bar; clicks (and Enter and Esc, which the dialog manager
    // turns into IDOK and IDCANCEL) are commands, carried out by the frame as if chosen from its menu.
    if (lParam != 0 && HIWORD(wParam) > 1) return Window::onCommandMessage(wParam, lParam);
    // A bar that handles a button itself keeps it.
    if (dispatchOwnCommand(LOWORD(wParam), CommandMode::Execute, nullptr)) return true;
    if (HWND frame = GetParent(hwnd_)) SendMessageW(frame, WM_COMMAND, wParam, lParam);
    return true;
}

void DialogBar::onIdleUpdate(FrameWindow& frame) {
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        const UINT id = static_cast<UINT>(GetDlgCtrlID(child));
        if (_wcsicmp(className, L"Button") != 0 || id == 0 || id == 0xFFFF) continue;
        ControlCommandUI state(child, id);
        if (dispatchOwnCommand(id, CommandMode::Update, &state) || frame.onCmdMsg(id, CommandMode::Update, &state))
            continue;
        // As in menus: a button nobody carries out is disabled.
        state.enable(dispatchOwnCommand(id, CommandMode::Probe, nullptr) ||
                     frame.onCmdMsg(id, CommandMode::Probe, nullptr));
    }
}

// A top edge separates the bar from the panes above it.
LRESULT DialogBar::onEraseBackground(WPARAM wParam, LPARAM) {
    auto dc = reinterpret_cast<HDC>(wParam);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(dc, &rc, EDGE_ETCHED, BF_TOP);
    return 1;
}
