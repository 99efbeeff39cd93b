// What the attribute dialog's four boxes mean: their starting states for a selection, and the
// masks a job applies to every item once the user has chosen.
#pragma once
#include <windows.h>
#include <array>

// Box states, as a three-state check box holds them.
constexpr int kAttributeClear = 0;
constexpr int kAttributeSet = 1;
constexpr int kAttributeKeep = 2;

// The attributes the dialog offers, in the order of its boxes: read-only, hidden, system, archive.
constexpr std::array<DWORD, 4> kChoosableAttributes = {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN,
                                                       FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_ARCHIVE};

using AttributeBoxes = std::array<int, 4>;

// One entry starts from its own attributes; several start undecided, so that OK alone changes none.
AttributeBoxes initialBoxes(DWORD attributes, bool severalEntries);

struct AttributeMasks {
    DWORD clear = 0;  // bits of every decided box
    DWORD set = 0;    // bits of every checked box
};
AttributeMasks masksOf(const AttributeBoxes& boxes);

// The attributes an item gets: its own with the decided ones replaced. Only what a program may
// set is kept (never the folder bit), and nothing left becomes "normal", as the platform asks.
DWORD applyMasks(DWORD current, const AttributeMasks& masks);
