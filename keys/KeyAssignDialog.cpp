#include "keys/KeyAssignDialog.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "keys/CommandTable.h"
#include "keys/FunctionKeyButtons.h"
#include "keys/KeyAssignEditing.h"
#include "keys/KeyNames.h"
#include "resource.h"

KeyAssignDialog::KeyAssignDialog() : Dialog(IDD_KEY_ASSIGN) {}

const MessageMap* KeyAssignDialog::messageMap() const {
    static const MessageEntry entries[] = {
        onControl<CBN_SELCHANGE, IDC_KEY_COMMAND, &KeyAssignDialog::onCommandChanged>(),
        onControl<CBN_SELCHANGE, IDC_KEY_CODE, &KeyAssignDialog::onKeyChanged>(),
    };
    static const MessageMap map{Dialog::messageMap(), entries};
    return &map;
}

void KeyAssignDialog::doDataExchange(DataExchange& dx) {
    dx.check(IDC_KEY_ALT, alt_);
    dx.check(IDC_KEY_CTRL, ctrl_);
    dx.check(IDC_KEY_SHIFT, shift_);
    dx.text(IDC_KEY_PARAMETER, parameter_);
    dx.text(IDC_KEY_CAPTION, caption_);
}

void KeyAssignDialog::fillChoices() {
    HWND keys = item(IDC_KEY_CODE);
    const auto keyRows = keyNameTable();
    for (size_t i = 0; i < keyRows.size(); ++i) {
        SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(keyRows[i].displayName));
        if (keyRows[i].code == value.key) SendMessageW(keys, CB_SETCURSEL, i, 0);
    }
    HWND commands = item(IDC_KEY_COMMAND);
    const auto commandRows = commandTable();
    for (size_t i = 0; i < commandRows.size(); ++i) {
        const std::wstring line = commandChoiceText(commandRows[i]);
        SendMessageW(commands, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (commandRows[i].id == value.command) SendMessageW(commands, CB_SETCURSEL, i, 0);
    }
}

bool KeyAssignDialog::onInitDialog() {
    const bool focusBySystem = Dialog::onInitDialog();
    fillChoices();
    onCommandChanged();
    onKeyChanged();
    // After the command's short label was proposed as caption: a binding's own caption wins.
    alt_ = (value.modifiers & KeyModifier::kAlt) ? 1 : 0;
    ctrl_ = (value.modifiers & KeyModifier::kCtrl) ? 1 : 0;
    shift_ = (value.modifiers & KeyModifier::kShift) ? 1 : 0;
    parameter_ = value.parameter;
    caption_ = value.caption;
    updateData(false);
    return focusBySystem;
}

int KeyAssignDialog::selectedRow(int comboId) const {
    const LRESULT row = SendMessageW(item(comboId), CB_GETCURSEL, 0, 0);
    return row == CB_ERR ? -1 : static_cast<int>(row);
}

void KeyAssignDialog::onCommandChanged() {
    updateData(true);
    const int row = selectedRow(IDC_KEY_COMMAND);
    if (row >= 0 && static_cast<size_t>(row) < commandTable().size()) {
        const CommandEntry& command = commandTable()[static_cast<size_t>(row)];
        setItemText(IDC_KEY_DESCRIPTION, command.description);
        caption_ = command.shortLabel;
        EnableWindow(item(IDC_KEY_PARAMETER), command.parameterHandler != nullptr);
    } else {
        setItemText(IDC_KEY_DESCRIPTION, L"");
        EnableWindow(item(IDC_KEY_PARAMETER), FALSE);
    }
    updateData(false);
}

void KeyAssignDialog::onKeyChanged() {
    const int row = selectedRow(IDC_KEY_CODE);
    if (row < 0 || static_cast<size_t>(row) >= keyNameTable().size()) return;
    EnableWindow(item(IDC_KEY_CAPTION), isFunctionKeyWithButton(keyNameTable()[static_cast<size_t>(row)].code));
}

void KeyAssignDialog::onOK() {
    const int key = selectedRow(IDC_KEY_CODE);
    if (key < 0) {
        SetFocus(item(IDC_KEY_CODE));
        showMessageBox(hwnd_, L"キーが選択されていません", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const int command = selectedRow(IDC_KEY_COMMAND);
    if (command < 0) {
        SetFocus(item(IDC_KEY_COMMAND));
        showMessageBox(hwnd_, L"機能が選択されていません", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!updateData(true)) return;
    value = assignedBinding({keyNameTable()[static_cast<size_t>(key)].code,
                             commandTable()[static_cast<size_t>(command)].id, alt_ != 0, ctrl_ != 0, shift_ != 0,
                             parameter_, caption_});
    endDialog(IDOK);
}
