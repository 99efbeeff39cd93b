// The folders a pane visited, most recent first, kept in memory during the run and stored as "D0",
// "D1", ... of the pane's "Hist<side>" section when the pane goes away.
#pragma once
#include "common/NumberedSection.h"
#include <string>
#include <vector>

class FolderHistory : public NumberedSection {
public:
    static constexpr int kLimit = 100;

    FolderHistory() { setSection(L"Hist0", kLimit); }

    // Reads "D0", "D1", ... up to the slot count, stopping at the first empty value.
    void load();
    // Rewrites the whole section from the list.
    void save();
    // Empties the list; the settings file follows when the pane saves its history.
    void clearAll() override;

    // Moves the folder to the head (an equal entry, compared case-sensitively, is removed first)
    // and drops the oldest entry beyond the slot count.
    void visit(const std::wstring& folder);

    const std::vector<std::wstring>& entries() const { return entries_; }
    // The entry at the position, empty beyond the end.
    std::wstring entryAt(int position) const;

private:
    std::vector<std::wstring> entries_;
};
