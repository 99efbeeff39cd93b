#include "fileops/JobFailures.h"
#include "common/ItemName.h"
#include "common/TextCut.h"
#include "common/VisibleName.h"

namespace {
// A message box grows to the widest word of its text, and a path has no space to break at: a path
// of 262 characters made the box wider than the screen. Paths are cut to this many columns (a wide
// character takes two); a column of the message font is about 6 pixels under Wine, so the box keeps
// well within a 1024-pixel screen, icon and frame included.
constexpr int kPathColumns = 100;

int columnsOf(wchar_t unit) {
    const bool wide = unit >= 0x2E80 && !(unit >= 0xD800 && unit <= 0xDFFF) && !(unit >= 0xFF61 && unit <= 0xFF9F);
    return wide ? 2 : 1;
}

const TextMeasure kColumns{
    [](std::wstring_view text) {
        int columns = 0;
        for (const wchar_t unit : text) columns += columnsOf(unit);
        return columns;
    },
    [](std::wstring_view text, int room) {
        size_t fit = 0;
        for (int columns = 0; fit < text.size() && (columns += columnsOf(text[fit])) <= room;) ++fit;
        return fit;
    },
};

// Where the item was and its name stay readable: the name whole when it leaves the folder half the
// room, else the folder whole when it leaves the name half the room (the name cut in its middle),
// else the whole path cut in its middle.
std::wstring shownPath(const std::wstring& path) {
    const std::wstring shown = visibleName(path);
    const size_t split = shown.rfind(L'\\') + 1;  // 0 without a backslash
    const std::wstring_view folder = std::wstring_view(shown).substr(0, split);
    const std::wstring_view name = std::wstring_view(shown).substr(split);
    constexpr int kHalf = kPathColumns / 2;
    if (kColumns.width(name) < kHalf) return pathCutBeforeName(shown, kPathColumns, kColumns);
    if (const int columns = kColumns.width(folder); columns <= kHalf)
        return std::wstring(folder) + middleCut(name, kPathColumns - columns, kColumns);
    return middleCut(shown, kPathColumns, kColumns);
}
}  // namespace

void JobFailures::add(const std::wstring& path, DWORD error) {
    ++count_;
    if (first_.size() < kShown) first_.emplace_back(path, error);
}

std::wstring JobFailures::summary() const {
    if (count_ == 0) return {};
    std::wstring text = std::to_wstring(count_) + L" 個の項目を処理できませんでした。";
    text += done_ == 0 ? L"処理できた項目はありません。" : std::to_wstring(done_) + L" 個の項目は処理しました。";
    text += L"\n";
    for (const auto& [path, error] : first_) text += L"\n" + shownPath(path) + L"\n    " + failureReason(error);
    if (count_ > first_.size()) text += L"\n\nほか " + std::to_wstring(count_ - first_.size()) + L" 個";
    return text;
}

std::wstring failureReason(DWORD error) {
    switch (error) {
    case kFailOntoItself: return L"転送元と転送先が同じ項目です。";
    case kFailLoop: return L"フォルダをそれ自身の中へ転送することはできません。";
    case kFailOverlapsSource: return L"転送先のフォルダが転送元と重なっています。";
    default: return systemErrorText(error);
    }
}
