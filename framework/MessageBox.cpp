#include "framework/MessageBox.h"

int showMessageBox(HWND owner, const std::wstring& text, UINT flags, const wchar_t* caption) {
    return MessageBoxW(owner, text.c_str(), caption ? caption : L"Vantor", flags);
}
