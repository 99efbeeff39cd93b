#include "keys/KeyAssignEditing.h"
#include "keys/FunctionKeyButtons.h"
#include "keys/KeyDispatch.h"
#include "keys/KeyNames.h"

namespace {
std::wstring orEmpty(const wchar_t* text) { return text ? text : L""; }
}  // namespace

KeyListRow keyListRow(const KeyAssign& entry) {
    KeyListRow row;
    row.key = keyDisplayText(entry.modifiers, entry.key);
    if (!entry.caption.empty()) row.key += L"(" + entry.caption + L")";
    row.label = orEmpty(commandShortLabel(entry.command));
    row.setting = orEmpty(commandName(entry.command));
    if (!entry.parameter.empty()) row.setting += L"," + entry.parameter;
    return row;
}

KeyListButtons keyListButtons(int selected, int rowCount) {
    const bool any = selected >= 0 && selected < rowCount;
    return {any, any, any && selected >= 1, any && selected < rowCount - 1};
}

int conflictingEntry(const KeyAssignList& list, const KeyAssign& binding, int editedIndex) {
    const int found = list.find(binding.modifiers, binding.key);
    return found == editedIndex ? -1 : found;
}

std::wstring commandChoiceText(const CommandEntry& row) {
    std::wstring text = orEmpty(row.shortLabel);
    if (text.size() < 10) text.append(10 - text.size(), L' ');
    return text + orEmpty(row.name);
}

KeyAssign assignedBinding(const AssignFields& fields) {
    KeyAssign binding;
    binding.key = fields.key;
    binding.command = fields.command;
    binding.modifiers = dispatchModifiers(true, fields.alt, fields.ctrl, fields.shift);
    binding.parameter = fields.parameter;
    if (isFunctionKeyWithButton(fields.key)) binding.caption = fields.caption;
    return binding;
}
