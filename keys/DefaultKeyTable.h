// The built-in key assignments, merged into the table while the settings say "DefaultAssign=Yes".
#pragma once
#include <cstdint>
#include <span>

struct DefaultKeyAssign {
    std::uint8_t modifiers;
    std::uint16_t key;
    unsigned command;
    const wchar_t* parameter;  // null when the assignment has none
};

std::span<const DefaultKeyAssign> defaultKeyTable();
