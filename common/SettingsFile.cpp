#include "common/SettingsFile.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"
#include "framework/ProfileText.h"
#include <algorithm>
#include <cwchar>
#include <vector>

std::wstring settingsPathFor(const std::wstring& executablePath) {
    std::wstring path = executablePath;
    path.resize(path.size() >= 3 ? path.size() - 3 : 0);
    return path + L"ini";
}

std::wstring settingsPathOfThisProgram() {
    // A program file whose name cannot be read whole has no settings file: a cut name would put
    // the settings beside some other file.
    const std::wstring program = moduleFileName();
    return program.empty() ? std::wstring() : settingsPathFor(program);
}

void createSettingsFileIfMissing(const std::wstring& path) {
    UniqueHandle file = UniqueHandle::fromApi(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    static const unsigned char kByteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file.get(), kByteOrderMark, sizeof kByteOrderMark, &written, nullptr);
}

uint32_t parseHexValue(std::wstring_view text, uint32_t defaultValue) {
    if (text.empty()) return defaultValue;
    uint32_t value = 0;
    for (wchar_t c : text) {
        uint32_t digit;
        if (c >= L'0' && c <= L'9') digit = static_cast<uint32_t>(c - L'0');
        else if (c >= L'a' && c <= L'f') digit = static_cast<uint32_t>(c - L'a' + 10);
        else if (c >= L'A' && c <= L'F') digit = static_cast<uint32_t>(c - L'A' + 10);
        else return defaultValue;
        value = value * 16 + digit;
    }
    return value;
}

int SettingsFile::readInt(const wchar_t* section, const wchar_t* key, int defaultValue, int minimum,
                          int maximum) const {
    const int value = static_cast<int>(GetPrivateProfileIntW(section, key, defaultValue, path.c_str()));
    return value < minimum || value > maximum ? defaultValue : value;
}

std::wstring SettingsFile::readString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                                      size_t capacity) const {
    if (capacity == 0) return L"";
    std::vector<wchar_t> buffer(capacity, L'\0');
    const DWORD length = GetPrivateProfileStringW(section, key, defaultValue, buffer.data(),
                                                  static_cast<DWORD>(capacity), path.c_str());
    return std::wstring(buffer.data(), std::min<size_t>(length, capacity - 1));
}

uint32_t SettingsFile::readHex(const wchar_t* section, const wchar_t* key, uint32_t defaultValue) const {
    return parseHexValue(readString(section, key, L"", 10), defaultValue);
}

std::wstring SettingsFile::readFolder(const wchar_t* section, const wchar_t* key) const {
    return readProfileText(section, key, L"", path);
}

void SettingsFile::writeInt(const wchar_t* section, const wchar_t* key, int value) const {
    wchar_t text[16];
    swprintf(text, 16, L"%d", value);
    WritePrivateProfileStringW(section, key, text, path.c_str());
}

void SettingsFile::writeHex(const wchar_t* section, const wchar_t* key, uint32_t value) const {
    wchar_t text[16];
    swprintf(text, 16, L"%x", value);
    WritePrivateProfileStringW(section, key, text, path.c_str());
}

void SettingsFile::writeString(const wchar_t* section, const wchar_t* key, const std::wstring& value) const {
    WritePrivateProfileStringW(section, key, value.c_str(), path.c_str());
}

void SettingsFile::load() {
    windowLeft = readInt(L"Window", L"left", -1);
    windowTop = readInt(L"Window", L"top", -1);
    windowRight = readInt(L"Window", L"right", -1);
    windowBottom = readInt(L"Window", L"bottom", -1);
    // Negative edges are real places (a window partly off the left edge, a monitor left of the
    // main one); whether the rectangle can be used is decided when the window is placed.
    placementValid = true;
    for (const wchar_t* edge : {L"left", L"top", L"right", L"bottom"})
        if (readString(L"Window", edge, L"", 16).empty()) placementValid = false;
    paneWidthL = readInt(L"Window", L"PaneWidthL", 1);
    paneWidthR = readInt(L"Window", L"PaneWidthR", 1);
    paneGap = readInt(L"Window", L"PaneGap", 0);

    backColor = readHex(L"Color", L"Back", 0xC0C0C0);
    dirColor = readHex(L"Color", L"Dir", 0x00C000);
    hideColor = readHex(L"Color", L"Hide", 0x0000C0);
    readOnlyColor = readHex(L"Color", L"ReadOnly", 0xC00000);
    systemColor = readHex(L"Color", L"System", 0x800080);
    normalColor = readHex(L"Color", L"Normal", 0x000000);

    timeFormat = readString(L"Disp", L"TimeFormat", L"%y/%m/%d %H:%M");
    fileSizeCols = readInt(L"Disp", L"FileSizeCols", 5);
    fileAttributes = readInt(L"Disp", L"FileAttributes", 1);

    viewerMacro = readString(L"Exec", L"ViewerMacro", L"notepad $C");
    viewerDir = readFolder(L"Exec", L"ViewerDir");
    editorMacro = readString(L"Exec", L"EditorMacro", L"notepad $C");
    editorDir = readFolder(L"Exec", L"EditorDir");
}
