// Key names and the two text forms of a key with its modifiers: the readable one for menus and
// lists, and the one that names an entry of the settings section "Key".
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Modifier bits of a key assignment; they are the platform's accelerator flags.
namespace KeyModifier {
constexpr std::uint8_t kVirtualKey = 0x01;
constexpr std::uint8_t kShift = 0x04;
constexpr std::uint8_t kCtrl = 0x08;
constexpr std::uint8_t kAlt = 0x10;
}  // namespace KeyModifier

struct KeyName {
    std::uint16_t code;
    const wchar_t* displayName;
    const wchar_t* settingsName;
};

// The rows in the order of the key selection list; a row's position is its index there.
std::span<const KeyName> keyNameTable();

// "Shift+", "Alt+", "Ctrl+" as set, then the key's display name or "0x" and two lower-case digits.
std::wstring keyDisplayText(std::uint8_t modifiers, std::uint16_t key);
// "+", "%", "^" as set, then the key's settings name (or "0x" and two lower-case digits), then
// "." and the caption when there is one. The virtual-key bit is implied and not written.
std::wstring keySettingsText(std::uint8_t modifiers, std::uint16_t key, std::wstring_view caption);

struct KeySettingsName {
    std::uint8_t modifiers = 0;
    std::uint16_t key = 0;
    std::wstring caption;
};

// Reads an entry name of section "Key"; the result always carries the virtual-key bit.
std::optional<KeySettingsName> parseKeySettingsText(std::wstring_view text);
// "0x" with two hexadecimal digits first, then a settings name (case-sensitive); 0 when neither.
std::uint16_t keyCodeOf(std::wstring_view token);
