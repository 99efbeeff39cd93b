#include "framework/ProfileText.h"
#include <windows.h>

namespace {
// Far beyond the longest path (32,767) or command line a settings file holds.
constexpr size_t kLongestValue = size_t{1} << 20;
}  // namespace

std::wstring readProfileText(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                             const std::wstring& file) {
    const wchar_t* fallback = defaultValue ? defaultValue : L"";
    std::wstring buffer(1024, L'\0');
    while (buffer.size() <= kLongestValue) {
        const DWORD length = GetPrivateProfileStringW(section, key, fallback, buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), file.c_str());
        // A value that filled the buffer (length size - 1) may have been cut: read again, larger.
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(buffer.size() * 4, L'\0');
    }
    return fallback;
}
