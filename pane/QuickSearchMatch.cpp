#include "pane/QuickSearchMatch.h"
#include <windows.h>
#include <array>
#include <memory>
#include <vector>

namespace {

// What one code unit folds to: at most two code units (a full-width voiced kana becomes the
// half-width kana and its sound mark), the second 0 when there is none.
struct Folded {
    wchar_t first;
    wchar_t second;
};

bool isSurrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// Where the platform's half-width mapping changes anything: full-width spaces, punctuation and
// kana, the arrows, bars and shapes the half-width block mirrors, Hangul letters and the
// full-width block itself. Everything else is left as it is, which keeps building the table cheap.
constexpr std::pair<unsigned, unsigned> kWidthRanges[] = {
    {0x2190, 0x2193}, {0x2502, 0x2502}, {0x25A0, 0x25A0}, {0x25CB, 0x25CB},
    {0x3000, 0x30FF}, {0x3130, 0x318F}, {0xFF00, 0xFFEF},
};

// One table for all 65,536 code units, made once per process: lower case over the whole plane in
// one call, half-width forms one unit at a time where they exist. Looking a unit up is then as
// cheap as comparing it, so a search over 100,000 names stays well within a keystroke.
class FoldTable {
public:
    FoldTable() {
        for (unsigned unit = 0; unit < 0x10000; ++unit) table_[unit] = {static_cast<wchar_t>(unit), 0};
        for (const auto& [low, high] : kWidthRanges) {
            for (unsigned unit = low; unit <= high; ++unit) {
                const wchar_t source = static_cast<wchar_t>(unit);
                wchar_t half[4] = {};
                const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_HALFWIDTH, &source, 1, half, 4,
                                                 nullptr, nullptr, 0);
                if (length == 1) table_[unit] = {half[0], 0};
                else if (length == 2) table_[unit] = {half[0], half[1]};
            }
        }
        // Lower case after width: "Ａ" becomes "A" first, then "a".
        std::wstring plane;
        plane.reserve(0x10000);
        for (unsigned unit = 1; unit < 0x10000; ++unit)
            if (!isSurrogate(unit)) plane += static_cast<wchar_t>(unit);
        std::wstring lower(plane.size(), L'\0');
        const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, plane.data(),
                                         static_cast<int>(plane.size()), lower.data(),
                                         static_cast<int>(lower.size()), nullptr, nullptr, 0);
        std::vector<wchar_t> toLower(0x10000);
        for (unsigned unit = 0; unit < 0x10000; ++unit) toLower[unit] = static_cast<wchar_t>(unit);
        if (length == static_cast<int>(plane.size()))
            for (size_t i = 0; i < plane.size(); ++i) toLower[static_cast<unsigned>(plane[i])] = lower[i];
        for (Folded& folded : table_) {
            folded.first = toLower[static_cast<unsigned>(folded.first)];
            if (folded.second) folded.second = toLower[static_cast<unsigned>(folded.second)];
        }
    }

    const Folded& operator[](wchar_t unit) const { return table_[static_cast<unsigned>(unit)]; }

private:
    std::array<Folded, 0x10000> table_;
};

const FoldTable& foldTable() {
    static const std::unique_ptr<FoldTable> table = std::make_unique<FoldTable>();
    return *table;
}

}  // namespace

std::wstring foldedForSearch(std::wstring_view text) {
    const FoldTable& table = foldTable();
    std::wstring folded;
    folded.reserve(text.size());
    for (wchar_t unit : text) {
        const Folded& f = table[unit];
        folded += f.first;
        if (f.second) folded += f.second;
    }
    return folded;
}

QuickSearchText::QuickSearchText(std::wstring_view typed) : folded_(foldedForSearch(typed)) {}

bool QuickSearchText::isPrefixOf(const wchar_t* name) const {
    const FoldTable& table = foldTable();
    size_t matched = 0;
    const size_t length = folded_.size();
    for (const wchar_t* p = name; matched < length; ++p) {
        if (*p == L'\0') return false;
        const Folded& f = table[*p];
        if (f.first != folded_[matched++]) return false;
        // A two-unit fold may run past the end of the text: "ｶ" typed is the start of "ガ".
        if (f.second && matched < length && f.second != folded_[matched++]) return false;
    }
    return true;
}

int quickSearchPosition(const FileIndex& index, const QuickSearchText& text, int from, SearchStep step) {
    const int count = index.count();
    if (text.empty() || count == 0) return -1;
    const int direction = step == SearchStep::Previous ? -1 : 1;
    int position;
    if (from < 0 || from >= count) position = direction < 0 ? count - 1 : 0;
    else position = step == SearchStep::Here ? from : (from + direction + count) % count;
    for (int looked = 0; looked < count; ++looked) {
        const FileEntry* entry = index.entryAt(position);
        if (!entry->isParent() && text.isPrefixOf(entry->name())) return position;
        position += direction;
        if (position == count) position = 0;
        else if (position < 0) position = count - 1;
    }
    return -1;
}
