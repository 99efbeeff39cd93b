// What the key dialog tests do from the helper thread: read the list's rows, select a row, choose a
// key or a command as the user would, and add a binding through the assignment dialog.
#pragma once
#include "support/FolderDialogDriver.h"
#include "keys/CommandTable.h"
#include "keys/KeyNames.h"
#include "resource.h"
#include <commctrl.h>
#include <string>
#include <vector>

inline std::wstring listCell(HWND list, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    return text;
}

// Each row as "key|label|setting".
inline std::vector<std::wstring> keyListRows(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_KEY_LIST);
    std::vector<std::wstring> rows;
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        rows.push_back(listCell(list, i, 0) + L"|" + listCell(list, i, 1) + L"|" + listCell(list, i, 2));
    return rows;
}

// Selects a row as a click would; the list tells the dialog itself.
inline void selectKeyRow(HWND dialog, int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(GetDlgItem(dialog, IDC_KEY_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
}

inline void chooseComboRow(HWND dialog, int comboId, int row) {
    HWND combo = GetDlgItem(dialog, comboId);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

inline void chooseKey(HWND assignDialog, std::uint16_t code) {
    const auto rows = keyNameTable();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].code == code) chooseComboRow(assignDialog, IDC_KEY_CODE, static_cast<int>(i));
}

inline void chooseCommand(HWND assignDialog, unsigned command) {
    chooseComboRow(assignDialog, IDC_KEY_COMMAND, commandRowOf(command));
}

inline void tick(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, BST_CHECKED, 0); }

// Adds key + command through "追加(&A)..." and the assignment dialog, accepting the proposed caption;
// false when the assignment dialog did not open or did not close.
inline bool addBinding(DWORD uiThread, HWND listDialog, std::uint16_t key, unsigned command) {
    clickButton(listDialog, IDC_KEY_LIST_ADD);
    HWND assign = waitForWindow(uiThread, L"キー割り当て");
    if (!assign) return false;
    chooseKey(assign, key);
    chooseCommand(assign, command);
    clickButton(assign, IDOK);
    return waitUntilGone(assign);
}
