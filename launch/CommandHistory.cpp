#include "launch/CommandHistory.h"
#include <algorithm>

std::vector<std::wstring> CommandHistory::load() const {
    std::vector<std::wstring> entries;
    for (int i = 0; i < slotCount(); ++i) {
        std::wstring text = read(i);
        if (text.find(L'|') == std::wstring::npos) break;  // an empty value has none either
        entries.push_back(std::move(text));
    }
    return entries;
}

void CommandHistory::store(const std::vector<std::wstring>& entries) {
    clearAll();
    const size_t count = std::min(entries.size(), static_cast<size_t>(slotCount()));
    for (size_t i = 0; i < count; ++i) write(static_cast<int>(i), entries[i]);
}

std::vector<std::wstring> historyAfterRun(std::vector<std::wstring> entries, const std::wstring& stored, int picked,
                                          int limit) {
    if (picked >= 0 && static_cast<size_t>(picked) < entries.size()) entries.erase(entries.begin() + picked);
    entries.insert(entries.begin(), stored);
    if (limit >= 0 && entries.size() > static_cast<size_t>(limit)) entries.resize(static_cast<size_t>(limit));
    return entries;
}
