#include "folders/DriveFolderTable.h"

namespace {
int slotOf(wchar_t c) {
    if (c >= L'a' && c <= L'z') return c - L'a';
    if (c >= L'A' && c <= L'Z') return c - L'A';
    return -1;
}
}  // namespace

void DriveFolderTable::remember(const std::wstring& folder) {
    if (folder.empty()) return;
    if (int slot = slotOf(folder[0]); slot >= 0) folders_[static_cast<size_t>(slot)] = folder;
}

std::wstring DriveFolderTable::recall(wchar_t letter) {
    const int slot = slotOf(letter);
    if (slot < 0) return L"";
    std::wstring& folder = folders_[static_cast<size_t>(slot)];
    if (folder.empty()) folder = std::wstring{letter, L':', L'\\'};
    return folder;
}
