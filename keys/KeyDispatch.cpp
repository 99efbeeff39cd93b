#include "keys/KeyDispatch.h"
#include "keys/CommandTable.h"
#include "keys/KeyNames.h"
#include "resource.h"
#include <windows.h>

std::uint8_t dispatchModifiers(bool virtualKey, bool altDown, bool ctrlDown, bool shiftDown) {
    std::uint8_t modifiers = virtualKey ? KeyModifier::kVirtualKey : 0;
    if (altDown) modifiers |= KeyModifier::kAlt;
    if (ctrlDown) modifiers |= KeyModifier::kCtrl;
    if (shiftDown) modifiers |= KeyModifier::kShift;
    return modifiers;
}

std::uint8_t dispatchModifiersFromKeyState(bool virtualKey) {
    const auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    return dispatchModifiers(virtualKey, down(VK_MENU), down(VK_CONTROL), down(VK_SHIFT));
}

KeyDispatch decideKeyDispatch(const KeyAssignList& table, std::uint8_t modifiers, std::uint16_t key) {
    KeyDispatch decision;
    const int index = table.find(modifiers, key);
    if (index < 0) return decision;
    const KeyAssign& entry = table.at(index);
    decision.command = entry.command;
    decision.parameter = entry.parameter;
    // A binding without parameter only gets here when the accelerator table could not be built;
    // it must then act as its command message does, not hand the handler an empty text (which
    // would, for instance, clear the pane's mask).
    if (!entry.parameter.empty()) decision.handler = parameterHandlerOf(entry.command);
    if (decision.handler) {
        decision.action = KeyDispatchAction::callParameterHandler;
    } else if (entry.command != 0 && entry.command != ID_NONE) {
        decision.action = KeyDispatchAction::postCommand;
    }
    return decision;
}
