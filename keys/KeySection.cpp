#include "keys/KeySection.h"
#include <windows.h>
#include <algorithm>
#include <cwchar>

std::vector<std::wstring> keySectionEntryNames(const std::wstring& settingsPath) {
    std::vector<wchar_t> buffer(kKeyNameListCapacity, L'\0');
    const DWORD length = GetPrivateProfileStringW(kKeySection, nullptr, L"", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), settingsPath.c_str());
    // Walk by the reported length rather than up to the first empty name: a line that begins with
    // "=" yields an empty name, and the names after it would otherwise be lost. A name cut off at
    // the end of a full list is kept; it binds nothing unless an entry of exactly that name exists.
    std::vector<std::wstring> names;
    size_t position = 0;
    const size_t end = std::min<size_t>(length, buffer.size() - 1);
    while (position < end) {
        const wchar_t* name = buffer.data() + position;
        const size_t nameLength = wcsnlen(name, end - position);
        if (nameLength > 0) names.emplace_back(name, nameLength);
        position += nameLength + 1;
    }
    return names;
}

namespace {
// Far beyond any real command line; only ends the doubling should a read keep filling the buffer.
constexpr size_t kLongestValue = size_t{1} << 24;
}  // namespace

std::wstring keySectionValue(const std::wstring& settingsPath, const std::wstring& name) {
    // The framework's profile read stops at a fixed size; a long MACRO parameter must come back
    // whole, or the next save would write it shortened.
    std::wstring buffer(1024, L'\0');
    for (;;) {
        if (buffer.size() > kLongestValue) return {};
        const DWORD length = GetPrivateProfileStringW(kKeySection, name.c_str(), L"", buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), settingsPath.c_str());
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

KeyAssignValue splitKeyAssignValue(std::wstring_view value) {
    const size_t comma = value.find(L',');
    if (comma == std::wstring_view::npos) return {std::wstring(value), std::wstring()};
    return {std::wstring(value.substr(0, comma)), std::wstring(value.substr(comma + 1))};
}

std::wstring storableEntryName(std::wstring_view name) {
    std::wstring result;
    result.reserve(name.size());
    for (wchar_t c : name)
        if (c != L'=' && c != L'\r' && c != L'\n' && c != L'\0') result += c;
    return result;
}
