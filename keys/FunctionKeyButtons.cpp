#include "keys/FunctionKeyButtons.h"
#include "keys/CommandTable.h"
#include "keys/KeyNames.h"

namespace {
FunctionKeyButton shownAs(const KeyAssignList& table, std::uint8_t modifiers, std::uint16_t key) {
    const int found = table.find(modifiers, key);
    if (found < 0) return {L"×", false, {}};
    const KeyAssign& entry = table.at(found);
    if (!entry.caption.empty()) return {entry.caption, true, {}};
    const wchar_t* label = commandShortLabel(entry.command);
    // A button without text would look like the disabled gaps between groups; one space keeps it a button.
    return {label && *label ? label : L" ", true, {}};
}
}  // namespace

FunctionKeyButton functionKeyButton(const KeyAssignList& table, std::uint8_t modifiers, int index) {
    const auto key = static_cast<std::uint16_t>(kFirstFunctionKey + index);
    FunctionKeyButton button = shownAs(table, modifiers, key);
    const std::wstring said = !button.enabled ? L"割り当てなし" : button.text == L" " ? L"" : button.text;
    button.name = keyDisplayText(modifiers, key) + (said.empty() ? L"" : L" " + said);
    return button;
}

RECT functionKeyButtonRect(int index, int cx, int cy) {
    // Truncating toward zero, a bar narrower than 6 pixels gives buttons of width 0, not negative ones.
    const int width = (cx - 6) / 12;
    const int left = index * (cx - 6) / 12 + 2 * (index / 4) + 1;
    return {left, 1, left + width, 1 + (cy - 3)};
}

bool isFunctionKeyWithButton(std::uint16_t key) {
    return key >= kFirstFunctionKey && key < kFirstFunctionKey + kFunctionKeyButtons;
}
