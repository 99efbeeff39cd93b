#include "common/TextCut.h"
#include <algorithm>

namespace {
const wchar_t kEllipsis[] = L"\u2026";

// The code point that starts at `at`: a whole pair, or the unit itself.
char32_t codePointAt(std::wstring_view text, size_t at) {
    const wchar_t unit = text[at];
    if (isHighSurrogate(unit) && at + 1 < text.size() && isLowSurrogate(text[at + 1]))
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[at + 1] - 0xDC00);
    return unit;
}
}  // namespace

bool joinsPrevious(char32_t c) {
    const auto in = [c](char32_t first, char32_t last) { return c >= first && c <= last; };
    return in(0x0300, 0x036F) || in(0x1AB0, 0x1AFF) || in(0x1DC0, 0x1DFF) || in(0x20D0, 0x20FF)  // combining marks
           || in(0xFE20, 0xFE2F) || in(0x3099, 0x309A)                                         // half marks, kana voicing
           || in(0xFE00, 0xFE0F) || in(0xE0100, 0xE01EF)                                       // variation selectors
           || in(0x1F3FB, 0x1F3FF);                                                            // skin tones
}

size_t clusterCut(std::wstring_view text, size_t limit) {
    size_t cut = limit < text.size() ? limit : text.size();
    while (cut > 0 && cut < text.size()) {
        // Inside a pair: step back to its first half.
        if (isLowSurrogate(text[cut]) && isHighSurrogate(text[cut - 1])) {
            --cut;
            continue;
        }
        // Before a mark that joins: step back over the character it joins.
        if (!joinsPrevious(codePointAt(text, cut))) break;
        --cut;
    }
    return cut;
}

std::wstring pathCutBeforeName(std::wstring_view path, int room, const TextMeasure& measure) {
    if (measure.width(path) <= room) return std::wstring(path);
    const size_t split = path.rfind(L'\\');
    const std::wstring_view head = path.substr(0, split == std::wstring_view::npos ? 0 : split);
    const std::wstring tail = kEllipsis + std::wstring(path.substr(head.size()));
    const int headRoom = std::max(room - measure.width(tail), 0);
    return std::wstring(head.substr(0, clusterCut(head, measure.fit(head, headRoom)))) + tail;
}

std::wstring middleCut(std::wstring_view text, int room, const TextMeasure& measure) {
    if (measure.width(text) <= room) return std::wstring(text);
    const int parts = std::max(room - measure.width(kEllipsis), 0);
    const std::wstring_view head = text.substr(0, clusterCut(text, measure.fit(text, parts / 2)));
    // The end gets what the start left: the longest end that fits, found by halving, then moved
    // on to where the text may be cut.
    const int endRoom = parts - measure.width(head);
    size_t low = head.size(), high = text.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (measure.width(text.substr(middle)) <= endRoom) high = middle;
        else low = middle + 1;
    }
    while (low < text.size() && clusterCut(text, low) != low) ++low;
    return std::wstring(head) + kEllipsis + std::wstring(text.substr(low));
}
