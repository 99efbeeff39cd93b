#include "common/ItemName.h"
#include "common/ItemHandle.h"
#include <cwchar>
#include <cwctype>

namespace {
bool isDeviceName(const std::wstring& name) {
    // The part before the first dot counts, without regard to case or trailing blanks ("aux .txt").
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (wchar_t& c : stem) c = static_cast<wchar_t>(std::towupper(c));
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (stem == device) return true;
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) &&
           ((stem[3] >= L'1' && stem[3] <= L'9') || stem[3] == L'\u00B9' || stem[3] == L'\u00B2' || stem[3] == L'\u00B3');
}
}  // namespace

std::wstring nameRefusal(const std::wstring& name) {
    if (name.find_first_of(L"\\/:") != std::wstring::npos)
        return L"名前にフォルダの区切り文字 (\\ / :) は使えません。";
    for (wchar_t c : name)
        if (c < 0x20 || std::wcschr(L"<>\"|?*", c)) return L"名前に次の文字は使えません: < > \" | ? * と制御文字";
    if (name == L"." || name == L"..") return L"この名前は使えません。";
    if (!name.empty() && (name.back() == L'.' || name.back() == L' '))
        return L"名前の末尾に . や空白は使えません。";
    if (isDeviceName(name)) return L"この名前は装置の名前として予約されているため使えません。";
    return {};
}

std::wstring systemErrorText(DWORD error) {
    if (error == ItemHandle::kReachedThroughLink) return L"リンクの先にある項目には手を触れません。";
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = length && text ? std::wstring(text, length) : std::wstring();
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' ')) result.pop_back();
    wchar_t code[32];
    swprintf(code, 32, L"(エラー %lu)", static_cast<unsigned long>(error));
    return result.empty() ? code : result + L" " + code;
}
