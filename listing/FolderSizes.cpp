#include "listing/FolderSizes.h"

void setFolderSize(FileList& list, int position, uint64_t bytes, bool lowerBound) {
    if (position < 0 || position >= list.size() || !list.at(position).isFolder() || list.at(position).isParent()) return;
    list.setSize(position, bytes);
    FileEntry& entry = list.at(position);
    entry.flags = (entry.flags & ~FileEntry::kSizeAtLeast) | FileEntry::kSized | (lowerBound ? FileEntry::kSizeAtLeast : 0);
}

bool forgetFolderSizes(FileList& list) {
    bool any = false;
    for (int i = 0; i < list.size(); ++i) {
        if (!list.at(i).isSized()) continue;
        list.setSize(i, 0);
        list.at(i).flags &= ~(FileEntry::kSized | FileEntry::kSizeAtLeast);
        any = true;
    }
    return any;
}

bool hasFolderSizes(const FileList& list) {
    for (const FileEntry& e : list.entries())
        if (e.isSized()) return true;
    return false;
}

void carryFolderSizes(const FileList& from, FileList& to) {
    std::unordered_map<std::wstring_view, const FileEntry*> sized;
    for (const FileEntry& e : from.entries())
        if (e.isSized()) sized.emplace(e.name(), &e);
    if (sized.empty()) return;
    for (int i = 0; i < to.size(); ++i) {
        const FileEntry& fresh = to.at(i);
        if (!fresh.isFolder()) continue;
        const auto found = sized.find(fresh.name());
        if (found == sized.end() || found->second->writeTime != fresh.writeTime) continue;
        setFolderSize(to, i, found->second->size, found->second->sizeIsLowerBound());
    }
}

std::unordered_map<std::wstring_view, int> folderPositions(const FileList& list) {
    std::unordered_map<std::wstring_view, int> positions;
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).isFolder() && !list.at(i).isParent()) positions.emplace(list.at(i).name(), i);
    return positions;
}
