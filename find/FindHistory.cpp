#include "find/FindHistory.h"
#include <algorithm>

std::vector<std::wstring> FindHistory::load() const {
    std::vector<std::wstring> texts;
    for (int i = 0; i < slotCount(); ++i) {
        std::wstring text = read(i);
        if (text.empty()) break;
        texts.push_back(std::move(text));
    }
    return texts;
}

void FindHistory::remember(const std::wstring& text) {
    if (text.empty()) return;
    std::vector<std::wstring> texts = load();
    std::erase(texts, text);
    texts.insert(texts.begin(), text);
    if (texts.size() > static_cast<size_t>(slotCount())) texts.resize(static_cast<size_t>(slotCount()));
    for (int i = 0; i < slotCount(); ++i) {
        if (i < static_cast<int>(texts.size())) write(i, texts[static_cast<size_t>(i)]);
        else if (read(i).empty()) break;
        else write(i, {});
    }
}
