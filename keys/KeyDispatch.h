// What a key that reaches a pane does: the decision of key dispatch, apart from the window that
// acts on it. Keys bound without parameter never get here; the accelerators take them first.
#pragma once
#include "keys/KeyAssign.h"
#include "keys/ParameterReceiver.h"
#include <cstdint>
#include <string>

enum class KeyDispatchAction {
    notHandled,             // no binding, or a binding to no command: default processing only
    callParameterHandler,   // call `handler` on the pane with `parameter`, synchronously
    postCommand,            // post `command` as a command message to the main frame
};

struct KeyDispatch {
    KeyDispatchAction action = KeyDispatchAction::notHandled;
    unsigned command = 0;
    ParameterHandler handler = nullptr;
    std::wstring parameter;  // a copy, so the handler may outlive a change of the table
};

// The modifiers byte of a key message: the virtual-key bit for key-down messages (not for
// character messages), plus Alt, Ctrl and Shift as they were down.
std::uint8_t dispatchModifiers(bool virtualKey, bool altDown, bool ctrlDown, bool shiftDown);
// The same from the keyboard state of the message being processed (GetKeyState).
std::uint8_t dispatchModifiersFromKeyState(bool virtualKey);

// The first binding of exactly these modifiers and key decides.
KeyDispatch decideKeyDispatch(const KeyAssignList& table, std::uint8_t modifiers, std::uint16_t key);
