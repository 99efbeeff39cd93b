// One key binding and the ordered list of them; the first matching entry wins everywhere.
#pragma once
#include <cassert>
#include <cstdint>
#include <string>
#include <vector>

struct KeyAssign {
    std::uint8_t modifiers = 0;  // KeyModifier bits
    std::uint16_t key = 0;       // virtual-key code
    unsigned command = 0;        // a command identifier of the command table
    std::wstring parameter;      // empty: none
    std::wstring caption;        // function-key button caption; empty: none

    bool operator==(const KeyAssign&) const = default;
};

// A plain, copyable list of bindings: the key dialogs edit one as a working copy of the table.
class KeyAssignList {
public:
    int count() const { return static_cast<int>(entries_.size()); }
    const KeyAssign& at(int index) const {
        assert(index >= 0 && index < count());
        return entries_[static_cast<size_t>(index)];
    }
    KeyAssign& at(int index) {
        assert(index >= 0 && index < count());
        return entries_[static_cast<size_t>(index)];
    }
    const std::vector<KeyAssign>& entries() const { return entries_; }

    void append(KeyAssign entry) { entries_.push_back(std::move(entry)); }
    // Later entries move up by one; an index outside the list changes nothing.
    void removeAt(int index);
    // Exchanges the entries at index and index + 1; nothing happens unless both exist.
    void exchangeWithNext(int index);
    // Keeps the first entries; new ones are empty bindings.
    void resize(int count);
    void clear() { entries_.clear(); }

    // Index of the first entry whose modifiers byte (virtual-key bit included) and key are equal
    // to the given ones; -1 when none is.
    int find(std::uint8_t modifiers, std::uint16_t key) const;

    bool operator==(const KeyAssignList&) const = default;

private:
    std::vector<KeyAssign> entries_;
};
