// Requests to the shell for an item: opening it with its associated program, showing its properties.
#pragma once
#include <windows.h>
#include <string>

// Asks the shell to carry out `verb` on the item at `path`, with `folder` as the working folder and
// the window shown. Whatever the shell then reports is its own; nothing is reported here.
void runShellVerb(HWND owner, const wchar_t* verb, const std::wstring& path, const std::wstring& folder);
