#include "keys/KeyListDialog.h"
#include "framework/Handles.h"
#include "framework/MessageBox.h"
#include "keys/CommandTable.h"
#include "keys/KeyAssignDialog.h"
#include "keys/KeyAssignEditing.h"
#include "keys/KeyNames.h"
#include "resource.h"
#include <commctrl.h>
#include <cwchar>

KeyListDialog::KeyListDialog() : Dialog(IDD_KEY_LIST) {}

const MessageMap* KeyListDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onCommand<IDC_KEY_LIST_ADD, &KeyListDialog::onAdd>(),
        onCommand<IDC_KEY_LIST_EDIT, &KeyListDialog::onEdit>(),
        onCommand<IDC_KEY_LIST_DELETE, &KeyListDialog::onDelete>(),
        onCommand<IDC_KEY_LIST_UP, &KeyListDialog::onUp>(),
        onCommand<IDC_KEY_LIST_DOWN, &KeyListDialog::onDown>(),
        onNotify<LVN_ITEMCHANGED, IDC_KEY_LIST, &KeyListDialog::onItemChanged>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

HWND KeyListDialog::list() const { return item(IDC_KEY_LIST); }

bool KeyListDialog::onInitDialog() {
    const bool focusBySystem = Dialog::onInitDialog();
    int charWidth = 8;
    {
        ClientDc dc(list());
        TEXTMETRICW metrics{};
        if (dc.get() && GetTextMetricsW(dc.get(), &metrics)) charWidth = metrics.tmAveCharWidth;
    }
    const struct {
        const wchar_t* title;
        int chars;
    } columns[] = {{L"キー", 15}, {L"機能名", 10}, {L"設定", 50}};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[i].chars * charWidth;
        column.pszText = const_cast<wchar_t*>(columns[i].title);
        column.iSubItem = i;
        SendMessageW(list(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    SendMessageW(list(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SendMessageW(list(), LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < bindings.count(); ++row) insertRow(row);
    updateButtons();
    return focusBySystem;
}

void KeyListDialog::insertRow(int row) {
    LVITEMW line{};
    line.mask = LVIF_TEXT;
    line.iItem = row;
    line.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(list(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&line));
    showRow(row);
}

void KeyListDialog::showRow(int row) {
    const KeyListRow texts = keyListRow(bindings.at(row));
    const std::wstring* cells[] = {&texts.key, &texts.label, &texts.setting};
    for (int column = 0; column < 3; ++column) {
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = const_cast<wchar_t*>(cells[column]->c_str());
        SendMessageW(list(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    }
}

void KeyListDialog::deleteRow(int row) {
    bindings.removeAt(row);
    SendMessageW(list(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

int KeyListDialog::selectedRow() const {
    return static_cast<int>(SendMessageW(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void KeyListDialog::selectRow(int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SendMessageW(list(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

LRESULT KeyListDialog::onItemChanged(NMHDR*) {
    updateButtons();
    return 0;
}

void KeyListDialog::updateButtons() {
    const int selected = selectedRow();
    const KeyListButtons buttons = keyListButtons(selected, bindings.count());
    // Taken before: disabling the focused button takes the focus away from it.
    const HWND focused = GetFocus();
    EnableWindow(item(IDC_KEY_LIST_EDIT), buttons.edit);
    EnableWindow(item(IDC_KEY_LIST_DELETE), buttons.remove);
    EnableWindow(item(IDC_KEY_LIST_UP), buttons.up);
    EnableWindow(item(IDC_KEY_LIST_DOWN), buttons.down);
    // Deleting or moving the last entry disables the very button that was pressed; the keys go on
    // working in the list rather than nowhere.
    if (focused && GetParent(focused) == hwnd_ && !IsWindowEnabled(focused))
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list()), TRUE);
    // The list may report a row the working copy does not hold (rows and entries part for a moment
    // while one is deleted): such a row has no description.
    const bool inCopy = selected >= 0 && selected < bindings.count();
    const wchar_t* description = inCopy ? commandDescription(bindings.at(selected).command) : nullptr;
    setItemText(IDC_KEY_DESCRIPTION, description ? description : L"");
}

bool KeyListDialog::editBinding(KeyAssign& binding) {
    KeyAssignDialog dialog;
    dialog.value = binding;
    if (dialog.doModal(hwnd_) != IDOK) return false;
    binding = dialog.value;
    return true;
}

bool KeyListDialog::confirmOverwrite(const KeyAssign& binding) {
    wchar_t question[256];
    swprintf(question, 256, L"%ls は設定済です\n上書きしますか？", keyDisplayText(binding.modifiers, binding.key).c_str());
    return showMessageBox(hwnd_, question, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

void KeyListDialog::onAdd() {
    KeyAssign binding;
    if (!editBinding(binding)) return;
    const int conflict = conflictingEntry(bindings, binding);
    if (conflict >= 0) {
        if (!confirmOverwrite(binding)) return;
        deleteRow(conflict);
    }
    bindings.append(binding);
    insertRow(bindings.count() - 1);
    updateButtons();
}

void KeyListDialog::onEdit() {
    const int row = selectedRow();
    if (row < 0) return;
    KeyAssign binding = bindings.at(row);
    if (!editBinding(binding)) return;
    const int conflict = conflictingEntry(bindings, binding, row);
    if (conflict >= 0 && !confirmOverwrite(binding)) return;
    bindings.at(row) = binding;
    showRow(row);
    if (conflict >= 0) deleteRow(conflict);
    updateButtons();
}

void KeyListDialog::onDelete() {
    const int row = selectedRow();
    if (row < 0) return;
    deleteRow(row);
    updateButtons();
}

void KeyListDialog::exchangeWithNext(int row) {
    bindings.exchangeWithNext(row);
    showRow(row);
    showRow(row + 1);
}

void KeyListDialog::onUp() {
    const int row = selectedRow();
    if (row < 1) return;
    exchangeWithNext(row - 1);
    selectRow(row - 1);
}

void KeyListDialog::onDown() {
    const int row = selectedRow();
    if (row < 0 || row >= bindings.count() - 1) return;
    exchangeWithNext(row);
    selectRow(row + 1);
}
