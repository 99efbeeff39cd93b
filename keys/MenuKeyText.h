// The key text at the end of a menu item: a tab and the readable form of the item's first
// binding without parameter.
#pragma once
#include "keys/KeyAssign.h"
#include <optional>
#include <string>
#include <string_view>

// The text the item should carry, or nullopt when it stays as it is. Any key text after the
// first tab is dropped first, so fixed shortcut texts of the menu resource give way to the
// real binding or disappear. The caller reads at most 255 characters of the item text.
std::optional<std::wstring> menuItemTextWithKey(std::wstring_view itemText, const KeyAssignList& table,
                                                unsigned itemId);
