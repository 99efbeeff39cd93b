// Where a UTF-16 text may be cut to fit a width without changing what its kept part looks like.
#pragma once
#include <functional>
#include <string>
#include <string_view>

inline bool isHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool isLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Whether the code point joins the character before it on screen: combining marks (accents, the
// kana voicing marks), variation selectors and skin-tone modifiers. Cut before one, the kept
// character would be drawn without it.
bool joinsPrevious(char32_t codePoint);
// The largest cut at or before `limit` (a count of code units) that splits no surrogate pair and no
// character from the marks that join it.
size_t clusterCut(std::wstring_view text, size_t limit);

// How a text is measured where it is shown (in pixels, or any other unit): its width, and how many
// of its code units, from its start, fit in a width.
struct TextMeasure {
    std::function<int(std::wstring_view)> width;
    std::function<size_t(std::wstring_view, int)> fit;
};

// `path` in `room` as the platform's path ellipsis shows it: whole when it fits, else the part
// after the last backslash whole, and before it an ellipsis after as much of the rest as fits.
std::wstring pathCutBeforeName(std::wstring_view path, int room, const TextMeasure& measure);
// `text` in `room`: whole when it fits, else as much of its start as fits in half the room and of
// its end as fits in the rest, with an ellipsis between; neither part splits a character.
std::wstring middleCut(std::wstring_view text, int room, const TextMeasure& measure);
