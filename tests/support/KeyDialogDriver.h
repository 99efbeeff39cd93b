// What the key dialog tests do from the helper thread: select a list row, choose a key or a command
// as the user would, and add a binding through the assignment dialog.
#pragma once
#include "support/FolderDialogDriver.h"
#include "keys/CommandTable.h"
#include "keys/KeyNames.h"
#include "resource.h"
#include <commctrl.h>

// Selects a row as a click would; the list tells the dialog itself.
inline void selectKeyRow(HWND dialog, int row) {
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(GetDlgItem(dialog, IDC_KEY_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
}

inline void chooseComboRow(HWND dialog, int comboId, int row) {
    HWND combo = GetDlgItem(dialog, comboId);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

inline void chooseKeyAndCommand(HWND assignDialog, std::uint16_t code, unsigned command) {
    const auto keys = keyNameTable();
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i].code == code) chooseComboRow(assignDialog, IDC_KEY_CODE, static_cast<int>(i));
    if (command) chooseComboRow(assignDialog, IDC_KEY_COMMAND, commandRowOf(command));
}

// Opens the assignment dialog with `button` of the list dialog (add or edit); null when it did not open.
inline HWND openAssignDialog(DWORD uiThread, HWND listDialog, int button) {
    clickButton(listDialog, button);
    return waitForWindow(uiThread, L"キー割り当て");
}

// Adds key + command, accepting the proposed caption; false when the dialog did not open or close.
inline bool addBinding(DWORD uiThread, HWND listDialog, std::uint16_t key, unsigned command) {
    HWND assign = openAssignDialog(uiThread, listDialog, IDC_KEY_LIST_ADD);
    if (!assign) return false;
    chooseKeyAndCommand(assign, key, command);
    clickButton(assign, IDOK);
    return waitUntilGone(assign);
}
