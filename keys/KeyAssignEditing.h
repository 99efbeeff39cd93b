// The decisions of the key dialogs, apart from their windows: the texts of the list rows and of
// the command choices, which buttons act on the selection, which entry an edit would replace, and
// the binding the assignment dialog's fields make.
#pragma once
#include "keys/CommandTable.h"
#include "keys/KeyAssign.h"
#include <cstdint>
#include <string>

// The list's three columns: the key (with the caption in brackets), the command's short label, and
// the command as the settings file writes it ("NAME" or "NAME,parameter").
struct KeyListRow {
    std::wstring key;
    std::wstring label;
    std::wstring setting;
};
KeyListRow keyListRow(const KeyAssign& entry);

struct KeyListButtons {
    bool edit = false;
    bool remove = false;
    bool up = false;
    bool down = false;
};
// `selected` is the selected row, -1 for none.
KeyListButtons keyListButtons(int selected, int rowCount);

// The entry a new binding would overwrite: the first one with exactly its modifiers and key, unless
// that is the entry being edited (`editedIndex`, -1 when adding); -1 when there is none. Captions,
// commands and parameters do not matter.
int conflictingEntry(const KeyAssignList& list, const KeyAssign& binding, int editedIndex = -1);

// A line of the command choice: the short label padded with spaces to ten characters, then the name.
std::wstring commandChoiceText(const CommandEntry& row);

// What the assignment dialog's fields make on OK. The parameter is kept as typed, whether or not the
// command takes one; a caption only belongs to F1 to F12, the keys with a button.
struct AssignFields {
    std::uint16_t key = 0;
    unsigned command = 0;
    bool alt = false;
    bool ctrl = false;
    bool shift = false;
    std::wstring parameter;
    std::wstring caption;
};
KeyAssign assignedBinding(const AssignFields& fields);
