// Type-ahead matching for the quick search: a name matches when it starts with the typed text,
// whatever the case and whether either is written in half-width or full-width forms ("ＡＢＣ" and
// "abc", "ｶﾞｲﾄﾞ" and "ガイド"). No window involved.
#pragma once
#include "listing/FileIndex.h"
#include <string>
#include <string_view>

// The typed text, folded once, so a name costs only a walk over its first characters.
class QuickSearchText {
public:
    explicit QuickSearchText(std::wstring_view typed);

    bool empty() const { return folded_.empty(); }
    // Whether `name` starts with the text, case and width aside.
    bool isPrefixOf(const wchar_t* name) const;

private:
    std::wstring folded_;
};

// The one form of a text that case and width do not change: half-width, lower case.
std::wstring foldedForSearch(std::wstring_view text);

enum class SearchStep {
    Here,      // `from` itself first, then onwards
    Next,      // onwards from the entry after `from`
    Previous,  // backwards from the entry before `from`
};

// The display position the search lands on, going round the listing once from `from`; the ".."
// entry never matches. -1 when no entry matches (or the text is empty).
int quickSearchPosition(const FileIndex& index, const QuickSearchText& text, int from, SearchStep step);
