#include "pane/RenameDialog.h"
#include "common/ItemName.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "resource.h"

RenameDialog::RenameDialog(const std::wstring& name) {
    title = L"名前の変更";
    text = name;
}

void RenameDialog::doDataExchange(DataExchange& dx) {
    InputDialog::doDataExchange(dx);
    // An empty text is taken as "leave the name as it is", not refused.
    if (!dx.saving() || dx.failed() || text.empty()) return;
    const std::wstring refusal = nameRefusal(text);
    if (refusal.empty()) return;
    showMessageBox(hwnd_, refusal, MB_OK | MB_ICONEXCLAMATION);
    dx.fail(IDC_INPUT_EDIT);
}
