// What the function-key bar shows: each button's text and state for the modifiers held, and where
// the button sits in a bar of a given size.
#pragma once
#include "keys/KeyAssign.h"
#include <cstdint>
#include <string>
#include <windows.h>

constexpr int kFunctionKeyButtons = 12;
constexpr std::uint16_t kFirstFunctionKey = 0x70;  // F1; button i stands for F1 + i

struct FunctionKeyButton {
    std::wstring text;
    bool enabled = false;
    std::wstring name;  // what screen readers say: the key with the modifiers held, then what it does
};

// Button `index` under `modifiers`: the first binding of that key decides; without one the button
// shows "×" and is disabled, with one it shows the caption, else the command's short label, else " ".
// Its name is the key ("Ctrl+F3") and the text, or "割り当てなし" for a key without a binding.
FunctionKeyButton functionKeyButton(const KeyAssignList& table, std::uint8_t modifiers, int index);

// Twelve equal buttons across a bar of cx by cy pixels, a 2-pixel gap after every group of four.
RECT functionKeyButtonRect(int index, int cx, int cy);

bool isFunctionKeyWithButton(std::uint16_t key);
