#include "folders/FolderListLine.h"
#include "common/VisibleName.h"
#include <iterator>

namespace {
constexpr wchar_t kHotLetters[] = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kHotLetterCount = static_cast<int>(std::size(kHotLetters)) - 1;
}  // namespace

wchar_t hotLetter(int index) { return index >= 0 && index < kHotLetterCount ? kHotLetters[index] : 0; }

std::wstring folderLinePrefix(int index) {
    const wchar_t letter = hotLetter(index);
    return letter ? std::wstring(L"[") + letter + L"] " : std::wstring(L"--- ");
}

std::wstring folderLineText(int index, const std::wstring& folder) {
    return folderLinePrefix(index) + visibleName(folder);
}
