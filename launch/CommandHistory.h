// The command lines run from the command dialog, most recent first, as stored commands
// ("start folder|command line") under "D0", "D1", ... of the settings section "Macro".
#pragma once
#include "common/NumberedSection.h"
#include <string>
#include <vector>

class CommandHistory : public NumberedSection {
public:
    static constexpr int kLimit = 100;

    CommandHistory() { setSection(L"Macro", kLimit); }

    // The stored commands from "D0" on; the first empty value or value without "|" ends the list,
    // so a damaged entry hides itself and everything after it.
    std::vector<std::wstring> load() const;
    // Replaces the whole section with the entries, at most the slot count of them.
    void store(const std::vector<std::wstring>& entries);
};

// The history after `stored` was run: it comes first, the entry that was picked to be run (-1: none)
// is dropped rather than kept twice, and at most `limit` entries remain, the oldest going first.
std::vector<std::wstring> historyAfterRun(std::vector<std::wstring> entries, const std::wstring& stored, int picked,
                                          int limit);
