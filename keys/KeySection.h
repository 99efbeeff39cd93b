// The settings section "Key": its entry names, their values, and the split of a value into
// command name and parameter.
#pragma once
#include <string>
#include <string_view>
#include <vector>

inline constexpr wchar_t kKeySection[] = L"Key";
inline constexpr wchar_t kDefaultAssignEntry[] = L"DefaultAssign";
// Room for the list of entry names; names beyond it are not seen.
constexpr size_t kKeyNameListCapacity = 32768;

// The entry names of section "Key" of the given settings file, in file order.
std::vector<std::wstring> keySectionEntryNames(const std::wstring& settingsPath);
// The whole value of one entry, however long; empty when the entry is absent.
std::wstring keySectionValue(const std::wstring& settingsPath, const std::wstring& name);

struct KeyAssignValue {
    std::wstring commandName;
    std::wstring parameter;
};
// Splits at the first ","; later commas belong to the parameter.
KeyAssignValue splitKeyAssignValue(std::wstring_view value);

// The entry name as the settings file can hold it: an entry name ends at its first "=", and
// line breaks would end the line, so both are left out.
std::wstring storableEntryName(std::wstring_view name);
