#include "keys/ButtonBar.h"
#include "framework/FrameWindow.h"
#include "framework/View.h"
#include "keys/KeyDispatch.h"
#include "resource.h"

static_assert(IDC_BUTTON_F12 - IDC_BUTTON_F1 + 1 == kFunctionKeyButtons, "one button per function key");

ButtonBar::ButtonBar(const KeyAssignList& bindings) : DialogBar(IDD_BUTTON_BAR), bindings_(bindings) {}

const MessageMap* ButtonBar::messageMap() const {
    static const MessageEntry entries[] = {
        onMessage<WM_SIZE, &ButtonBar::onSize>(),
        onMessage<WM_DRAWITEM, &ButtonBar::onDrawItem>(),
        onCommandRange<IDC_BUTTON_F1, IDC_BUTTON_F12, &ButtonBar::onFunctionButton>(),
        onCommand<IDC_BUTTON_BAR_SPACER, &ButtonBar::onSpacer>(),
        onUpdateRange<IDC_BUTTON_F1, IDC_BUTTON_F12, &ButtonBar::onUpdateFunctionButton>(),
    };
    static const MessageMap map{DialogBar::messageMap(), entries};
    return &map;
}

bool ButtonBar::onInitDialog() {
    const bool focusBySystem = DialogBar::onInitDialog();
    updateModifiers(true);
    return focusBySystem;
}

void ButtonBar::updateModifiers(bool force) {
    const std::uint8_t modifiers = dispatchModifiersFromKeyState(true);
    if (!force && modifiers == modifierState_) return;
    modifierState_ = modifiers;
    relabel();
}

void ButtonBar::relabel() {
    // Each button would draw itself for its new text, again for its new state and once more when
    // invalidated. With the bar's drawing held, the whole bar is drawn once after.
    const bool shown = IsWindowVisible(hwnd()) != FALSE;
    if (shown) SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < kFunctionKeyButtons; ++i) {
        HWND button = item(IDC_BUTTON_F1 + i);
        if (!button) continue;
        const FunctionKeyButton face = functionKeyButton(bindings_, modifierState_, i);
        enabled_[static_cast<size_t>(i)] = face.enabled;
        labels_[static_cast<size_t>(i)] = face.text;
        if ((IsWindowEnabled(button) != FALSE) != face.enabled) EnableWindow(button, face.enabled);
        // The button's own text is what screen readers say, the key with it; the face shows the label.
        SetWindowTextW(button, face.name.c_str());
    }
    if (shown) {
        SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void ButtonBar::onSize(UINT, int cx, int cy) {
    callDefault();
    for (int i = 0; i < kFunctionKeyButtons; ++i) {
        HWND button = item(IDC_BUTTON_F1 + i);
        if (!button) continue;
        const RECT r = functionKeyButtonRect(i, cx, cy);
        MoveWindow(button, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
}

LRESULT ButtonBar::onDrawItem(WPARAM wParam, LPARAM lParam) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    // The spacer only holds a place: it looks like the bar behind it.
    if (wParam == IDC_BUTTON_BAR_SPACER) {
        FillRect(draw->hDC, &draw->rcItem, GetSysColorBrush(COLOR_BTNFACE));
        return callDefault();
    }
    if (wParam < IDC_BUTTON_F1 || wParam > IDC_BUTTON_F12) return callDefault();
    const bool pushed = draw->itemState & ODS_SELECTED, disabled = draw->itemState & ODS_DISABLED;
    RECT face = draw->rcItem;
    DrawFrameControl(draw->hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    RECT text = draw->rcItem;
    if (pushed) OffsetRect(&text, 1, 1);
    SetBkMode(draw->hDC, TRANSPARENT);
    SetTextColor(draw->hDC, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    const std::wstring& label = labels_[wParam - IDC_BUTTON_F1];
    // A label wider than its button (a narrow window at a large scale) ends in "…" rather than
    // losing letters at both ends.
    DrawTextW(draw->hDC, label.c_str(), static_cast<int>(label.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (draw->itemState & ODS_FOCUS) {
        InflateRect(&face, -3, -3);
        DrawFocusRect(draw->hDC, &face);
    }
    return TRUE;
}

void ButtonBar::onUpdateFunctionButton(CommandUI& ui) {
    ui.enable(enabled_[ui.id() - IDC_BUTTON_F1]);
}

void ButtonBar::onFunctionButton(UINT id) {
    HWND button = item(static_cast<int>(id));
    // The key belongs to the active pane, and the click took the focus from it: left on the button,
    // this key would miss the pane's look-up of bindings with a parameter, and so would the next ones.
    auto* frame = dynamic_cast<FrameWindow*>(Window::fromHandle(GetParent(hwnd_)));
    if (frame && frame->activeView() && frame->activeView()->hwnd()) SetFocus(frame->activeView()->hwnd());
    HWND target = GetFocus();
    if (!target || target == button) target = GetParent(hwnd_);

    // Posted to the focus as the keyboard would deliver them, so the frame's pre-translation sees
    // them first; the modifiers the user holds are read from the key state when they are handled.
    const WORD key = static_cast<WORD>(kFirstFunctionKey + (id - IDC_BUTTON_F1));
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16) | (alt ? (1 << 29) : 0);
    PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, down);
    PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, key, down | (1u << 30) | (1u << 31));
}
