#include "common/InputDialog.h"
#include "framework/DataExchange.h"
#include "resource.h"

InputDialog::InputDialog() : Dialog(IDD_INPUT) {}

bool InputDialog::onInitDialog() {
    if (!title.empty()) {
        SetWindowTextW(hwnd_, title.c_str());
        // The field's unseen label: screen readers name the field after it.
        SetDlgItemTextW(hwnd_, IDC_INPUT_LABEL, title.c_str());
    }
    return Dialog::onInitDialog();
}

void InputDialog::doDataExchange(DataExchange& dx) {
    dx.text(IDC_INPUT_EDIT, text);
}
