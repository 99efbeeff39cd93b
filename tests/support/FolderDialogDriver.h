// What the folder dialog tests do to a dialog from the helper thread: read list boxes, select a
// line as the user would, press buttons and wait for them, answer the message box a button opens.
#pragma once
#include "support/UiDriver.h"
#include <windows.h>
#include <string>
#include <vector>

inline std::vector<std::wstring> listBoxLines(HWND list) {
    std::vector<std::wstring> lines;
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        const LRESULT length =
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        lines.push_back(text);
    }
    return lines;
}

inline int selectedLine(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

// Selects a line (-1: none) and tells the dialog, as a click on the list would.
inline void selectLine(HWND dialog, int listId, int line) {
    HWND list = GetDlgItem(dialog, listId);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Presses a button and returns once the dialog has handled it (only for buttons that open nothing).
inline void pressButton(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline bool isDefaultButton(HWND button) {
    return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

inline bool waitUntilGone(HWND window, int timeoutMs = 5000) {
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        if (!IsWindow(window)) return true;
        Sleep(20);
    }
    return false;
}

// What a message box showed before it was answered.
struct MessageBoxSeen {
    bool shown = false;
    std::wstring text;
    bool okIsDefault = false;
    bool cancelIsDefault = false;
};

// Waits for the program's message box on the UI thread, answers it with `button` and waits until it is gone.
inline MessageBoxSeen answerMessageBox(DWORD uiThread, int button) {
    MessageBoxSeen seen;
    HWND box = waitForWindow(uiThread, L"Vantor");
    if (!box) return seen;
    seen.shown = true;
    seen.text = staticTexts(box);
    seen.okIsDefault = isDefaultButton(GetDlgItem(box, IDOK));
    seen.cancelIsDefault = isDefaultButton(GetDlgItem(box, IDCANCEL));
    clickButton(box, button);
    waitUntilGone(box);
    return seen;
}
