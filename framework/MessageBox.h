// Every message box of the program goes through here, titled with the program's name.
#pragma once
#include <windows.h>
#include <string>

int showMessageBox(HWND owner, const std::wstring& text, UINT flags, const wchar_t* caption = nullptr);
