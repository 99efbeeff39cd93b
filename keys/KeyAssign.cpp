#include "keys/KeyAssign.h"
#include <utility>

void KeyAssignList::removeAt(int index) {
    if (index < 0 || index >= count()) return;
    entries_.erase(entries_.begin() + index);
}

void KeyAssignList::exchangeWithNext(int index) {
    if (index < 0 || index + 1 >= count()) return;
    std::swap(entries_[static_cast<size_t>(index)], entries_[static_cast<size_t>(index) + 1]);
}

void KeyAssignList::resize(int newCount) { entries_.resize(newCount > 0 ? static_cast<size_t>(newCount) : 0); }

int KeyAssignList::find(std::uint8_t modifiers, std::uint16_t key) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].modifiers == modifiers && entries_[i].key == key) return static_cast<int>(i);
    return -1;
}
