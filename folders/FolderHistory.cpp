#include "folders/FolderHistory.h"
#include "framework/Application.h"
#include <algorithm>

void FolderHistory::load() {
    entries_.clear();
    for (int i = 0; i < slotCount(); ++i) {
        std::wstring folder = read(i);
        if (folder.empty()) break;
        entries_.push_back(std::move(folder));
    }
}

void FolderHistory::save() {
    NumberedSection::clearAll();
    for (size_t i = 0; i < entries_.size(); ++i) write(static_cast<int>(i), entries_[i]);
}

void FolderHistory::clearAll() { entries_.clear(); }

void FolderHistory::visit(const std::wstring& folder) {
    if (auto it = std::find(entries_.begin(), entries_.end(), folder); it != entries_.end()) entries_.erase(it);
    entries_.insert(entries_.begin(), folder);
    if (static_cast<int>(entries_.size()) > slotCount()) entries_.resize(static_cast<size_t>(slotCount()));
}

std::wstring FolderHistory::entryAt(int position) const {
    return position >= 0 && position < static_cast<int>(entries_.size()) ? entries_[static_cast<size_t>(position)]
                                                                          : std::wstring();
}
