// Whole-value reads of a private-profile (INI) file.
#pragma once
#include <string>

// The value of `key` in `section` of `file`, read whole however long it is; `defaultValue` when
// the key is missing, and also when the value is longer than any sensible one (a value is never
// returned cut short, since a cut folder or command names something else).
std::wstring readProfileText(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                             const std::wstring& file);
