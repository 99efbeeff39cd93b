// Line texts of the folder history and bookmark lists, without any window.
#pragma once
#include <string>

// Label letter of a line: '0'..'9' for lines 0 to 9, 'A'..'Z' for lines 10 to 35, 0 beyond.
wchar_t hotLetter(int index);
// "[<letter>] " for the lettered lines, "--- " for the others.
std::wstring folderLinePrefix(int index);
// The prefix followed by the folder text as shown (see VisibleName.h).
std::wstring folderLineText(int index, const std::wstring& folder);
