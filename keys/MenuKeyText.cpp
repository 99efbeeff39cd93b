#include "keys/MenuKeyText.h"
#include "keys/KeyNames.h"

std::optional<std::wstring> menuItemTextWithKey(std::wstring_view itemText, const KeyAssignList& table,
                                                unsigned itemId) {
    const size_t tab = itemText.find(L'\t');
    const bool cut = tab != std::wstring_view::npos;
    std::wstring text(cut ? itemText.substr(0, tab) : itemText);
    for (const KeyAssign& entry : table.entries()) {
        if (entry.command != itemId || !entry.parameter.empty()) continue;
        return text + L'\t' + keyDisplayText(entry.modifiers, entry.key);
    }
    if (cut) return text;
    return std::nullopt;
}
