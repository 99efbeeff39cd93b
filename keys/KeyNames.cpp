#include "keys/KeyNames.h"
#include <cwchar>

namespace {

const KeyName kKeyNameTable[] = {
    {0x08, L"BackSpace", L"Back"},
    {0x09, L"Tab", L"Tab"},
    {0x0D, L"Enter", L"Enter"},
    {0x1B, L"Esc", L"Esc"},
    {0x20, L"Space", L"Space"},
    {0x25, L"←", L"Left"},
    {0x26, L"↑", L"Up"},
    {0x27, L"→", L"Right"},
    {0x28, L"↓", L"Down"},
    {0x24, L"Home", L"Home"},
    {0x23, L"End", L"End"},
    {0x21, L"PageUp", L"PageUp"},
    {0x22, L"PageDown", L"PageDown"},
    {0x2D, L"Insert", L"Insert"},
    {0x2E, L"Delete", L"Delete"},
    {0x0C, L"Clear(NUM 5)", L"Clear"},
    {0x70, L"F1", L"F1"},
    {0x71, L"F2", L"F2"},
    {0x72, L"F3", L"F3"},
    {0x73, L"F4", L"F4"},
    {0x74, L"F5", L"F5"},
    {0x75, L"F6", L"F6"},
    {0x76, L"F7", L"F7"},
    {0x77, L"F8", L"F8"},
    {0x78, L"F9", L"F9"},
    {0x79, L"F10", L"F10"},
    {0x7A, L"F11", L"F11"},
    {0x7B, L"F12", L"F12"},
    {0x7C, L"F13", L"F13"},
    {0x7D, L"F14", L"F14"},
    {0x7E, L"F15", L"F15"},
    {0x7F, L"F16", L"F16"},
    {0x80, L"F17", L"F17"},
    {0x81, L"F18", L"F18"},
    {0x82, L"F19", L"F19"},
    {0x83, L"F20", L"F20"},
    {0x84, L"F21", L"F21"},
    {0x85, L"F22", L"F22"},
    {0x86, L"F23", L"F23"},
    {0x87, L"F24", L"F24"},
    {0x30, L"0  ", L"0"},
    {0x31, L"1 !", L"1"},
    {0x32, L"2 \"", L"2"},
    {0x33, L"3 #", L"3"},
    {0x34, L"4 $", L"4"},
    {0x35, L"5 %", L"5"},
    {0x36, L"6 &", L"6"},
    {0x37, L"7 '", L"7"},
    {0x38, L"8 (", L"8"},
    {0x39, L"9 )", L"9"},
    {0x41, L"A", L"A"},
    {0x42, L"B", L"B"},
    {0x43, L"C", L"C"},
    {0x44, L"D", L"D"},
    {0x45, L"E", L"E"},
    {0x46, L"F", L"F"},
    {0x47, L"G", L"G"},
    {0x48, L"H", L"H"},
    {0x49, L"I", L"I"},
    {0x4A, L"J", L"J"},
    {0x4B, L"K", L"K"},
    {0x4C, L"L", L"L"},
    {0x4D, L"M", L"M"},
    {0x4E, L"N", L"N"},
    {0x4F, L"O", L"O"},
    {0x50, L"P", L"P"},
    {0x51, L"Q", L"Q"},
    {0x52, L"R", L"R"},
    {0x53, L"S", L"S"},
    {0x54, L"T", L"T"},
    {0x55, L"U", L"U"},
    {0x56, L"V", L"V"},
    {0x57, L"W", L"W"},
    {0x58, L"X", L"X"},
    {0x59, L"Y", L"Y"},
    {0x5A, L"Z", L"Z"},
    {0xBD, L"-", L"0xBD"},
    {0xDE, L"^", L"0xDE"},
    {0xDC, L"\\", L"0xDC"},
    {0xC0, L"@", L"0xC0"},
    {0xDB, L"[", L"0xDB"},
    {0xBB, L";", L"0xBB"},
    {0xBA, L":", L"0xBA"},
    {0xDD, L"]", L"0xDD"},
    {0xBC, L"),", L"0xBC"},
    {0xBE, L".", L"0xBE"},
    {0xBF, L"/", L"0xBF"},
    {0xE2, L"_", L"0xE2"},
    {0x60, L"NUM 0", L"Num0"},
    {0x61, L"NUM 1", L"Num1"},
    {0x62, L"NUM 2", L"Num2"},
    {0x63, L"NUM 3", L"Num3"},
    {0x64, L"NUM 4", L"Num4"},
    {0x65, L"NUM 5", L"Num5"},
    {0x66, L"NUM 6", L"Num6"},
    {0x67, L"NUM 7", L"Num7"},
    {0x68, L"NUM 8", L"Num8"},
    {0x69, L"NUM 9", L"Num9"},
    {0x6A, L"NUM *", L"NumMlt"},
    {0x6B, L"NUM +", L"NumAdd"},
    {0x6D, L"NUM -", L"NumSub"},
    {0x6E, L"NUM .", L"NumDec"},
    {0x6F, L"NUM /", L"NumDiv"},
    {0x92, L"NUM =", L"NumEq"},
    {0x5B, L"左Windows", L"WinL"},
    {0x5C, L"右Windows", L"WinR"},
    {0x5D, L"ApplicationMenu", L"App"},
};

const KeyName* keyNameOf(std::uint16_t code) {
    for (const KeyName& row : kKeyNameTable)
        if (row.code == code) return &row;
    return nullptr;
}

std::wstring unnamedKeyText(std::uint16_t code) {
    wchar_t text[16];
    swprintf(text, 16, L"0x%02x", static_cast<unsigned>(code));
    return text;
}

int hexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace

std::span<const KeyName> keyNameTable() { return kKeyNameTable; }

std::wstring keyDisplayText(std::uint8_t modifiers, std::uint16_t key) {
    std::wstring text;
    if (modifiers & KeyModifier::kShift) text += L"Shift+";
    if (modifiers & KeyModifier::kAlt) text += L"Alt+";
    if (modifiers & KeyModifier::kCtrl) text += L"Ctrl+";
    const KeyName* row = keyNameOf(key);
    text += row ? std::wstring(row->displayName) : unnamedKeyText(key);
    return text;
}

std::wstring keySettingsText(std::uint8_t modifiers, std::uint16_t key, std::wstring_view caption) {
    std::wstring text;
    if (modifiers & KeyModifier::kShift) text += L'+';
    if (modifiers & KeyModifier::kAlt) text += L'%';
    if (modifiers & KeyModifier::kCtrl) text += L'^';
    const KeyName* row = keyNameOf(key);
    text += row ? std::wstring(row->settingsName) : unnamedKeyText(key);
    if (!caption.empty()) {
        text += L'.';
        text += caption;
    }
    return text;
}

std::uint16_t keyCodeOf(std::wstring_view token) {
    // The hexadecimal form wins over names, so "0xDC" reads the same whether or not a row names it.
    if (token.size() == 4 && token[0] == L'0' && token[1] == L'x') {
        const int high = hexDigitValue(token[2]);
        const int low = hexDigitValue(token[3]);
        if (high >= 0 && low >= 0) return static_cast<std::uint16_t>(high * 16 + low);
    }
    for (const KeyName& row : kKeyNameTable)
        if (token == row.settingsName) return row.code;
    return 0;
}

std::optional<KeySettingsName> parseKeySettingsText(std::wstring_view text) {
    KeySettingsName result;
    result.modifiers = KeyModifier::kVirtualKey;
    size_t start = 0;
    for (; start < text.size(); ++start) {
        const wchar_t c = text[start];
        if (c == L'%') result.modifiers |= KeyModifier::kAlt;
        else if (c == L'+') result.modifiers |= KeyModifier::kShift;
        else if (c == L'^') result.modifiers |= KeyModifier::kCtrl;
        else break;
    }
    const std::wstring_view rest = text.substr(start);
    if (rest.empty()) return std::nullopt;

    std::wstring_view token = rest;
    // A leading "." belongs to the token (and so fails it): a caption needs a key before it.
    const size_t dot = rest.find(L'.');
    if (dot != std::wstring_view::npos && dot > 0) {
        token = rest.substr(0, dot);
        result.caption = std::wstring(rest.substr(dot + 1));
    }
    result.key = keyCodeOf(token);
    if (result.key == 0) return std::nullopt;
    return result;
}
