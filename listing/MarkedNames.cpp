#include "listing/MarkedNames.h"
#include <cwchar>
#include <string_view>
#include <unordered_set>

MarkedNames::MarkedNames(const FileList& list) {
    if (list.markedCount() == 0) return;
    offsets_.reserve(static_cast<size_t>(list.markedCount()));
    for (const FileEntry& entry : list.entries()) {
        if (!entry.isMarked()) continue;
        offsets_.push_back(static_cast<uint32_t>(text_.size()));
        text_.append(entry.name());
        text_.push_back(L'\0');
    }
}

void MarkedNames::applyTo(FileList& list) const {
    if (!empty()) {
        // A folder read twice comes back in the same order, so the marked names are met one after
        // the other in a single walk. Names are unique in a folder: when every kept name was met,
        // no other entry can match one.
        size_t next = 0;
        for (int i = 0; i < list.size() && next < offsets_.size(); ++i) {
            if (std::wcscmp(list.at(i).name(), nameAt(next)) == 0) {
                list.at(i).flags |= FileEntry::kMarked;
                ++next;
            }
        }
        if (next < offsets_.size()) {
            // Something was removed, renamed or reordered: look every entry up by name instead.
            std::unordered_set<std::wstring_view> names;
            names.reserve(offsets_.size());
            for (size_t i = 0; i < offsets_.size(); ++i) names.emplace(nameAt(i));
            for (int i = 0; i < list.size(); ++i) {
                FileEntry& entry = list.at(i);
                if (!entry.isParent() && names.count(entry.name())) entry.flags |= FileEntry::kMarked;
            }
        }
    }
    list.recount();
}
