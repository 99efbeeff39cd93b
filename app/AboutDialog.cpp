#include "app/AboutDialog.h"
#include "resource.h"
#include <cwchar>

#define VANTOR_WIDEN2(s) L##s
#define VANTOR_WIDEN(s) VANTOR_WIDEN2(s)

AboutDialog::AboutDialog() : Dialog(IDD_ABOUTBOX) {}

std::wstring AboutDialog::buildText() {
    wchar_t text[64];
    swprintf(text, 64, L"Built: %ls %ls", VANTOR_WIDEN(__DATE__), VANTOR_WIDEN(__TIME__));
    return std::wstring(text) + L" by UNICODE.";
}

bool AboutDialog::onInitDialog() {
    setItemText(IDC_ABOUT_BUILT, buildText());
    return Dialog::onInitDialog();
}
