#include "pane/MaskInputDialog.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "resource.h"

bool isNamePattern(const std::wstring& mask) { return mask.find_first_of(L"\\/") == std::wstring::npos; }

void refuseMaskWithFolder(HWND owner) {
    showMessageBox(owner, L"マスクにフォルダの区切り文字 (\\ や /) は使えません。", MB_OK | MB_ICONEXCLAMATION);
}

MaskInputDialog::MaskInputDialog(const std::wstring& mask) {
    title = L"マスク指定";
    text = mask;
}

void MaskInputDialog::doDataExchange(DataExchange& dx) {
    InputDialog::doDataExchange(dx);
    if (!dx.saving() || dx.failed() || isNamePattern(text)) return;
    refuseMaskWithFolder(hwnd_);
    dx.fail(IDC_INPUT_EDIT);
}
