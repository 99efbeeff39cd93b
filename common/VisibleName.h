// Names shown so that they cannot disguise themselves: every character that would steer or hide
// part of a name on screen (bidirectional controls, zero-width characters, control characters, a
// lone half of a surrogate pair) is drawn as a marker such as "<U+202E>" instead. The markers use
// "<" and ">", which no name on a Windows file system can hold, so a name cannot fake one.
// Only what is shown changes: every operation goes on using the real name.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// A stretch of a shown name: ordinary text, or the marker of one hidden character.
struct NameRun {
    std::wstring text;
    bool marker = false;
    bool operator==(const NameRun&) const = default;
};
using NameRuns = std::vector<NameRun>;

// Whether a code unit is drawn as a marker rather than as itself.
bool isHiddenCharacter(wchar_t unit);
// The runs of `name` as shown (no empty runs), for drawing markers in a colour of their own.
NameRuns visibleNameRuns(std::wstring_view name);
// The runs' text in one string, markers inline, for dialogs, captions and status lines.
std::wstring joinedText(const NameRuns& runs);
// visibleNameRuns joined.
std::wstring visibleName(std::wstring_view name);
// The first `limit` code units of `runs` at most, cut where the text may be cut: a marker is kept
// whole or left out, and ordinary text keeps its surrogate pairs and combining sequences whole.
NameRuns cutRuns(const NameRuns& runs, size_t limit);
