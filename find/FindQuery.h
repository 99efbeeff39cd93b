// What a search looks for: name masks, a text the files must contain, limits on size and on the
// last-write date, and the choices of the find dialog. Parsing and matching need no window, so
// the dialog only checks and the search thread only asks.
#pragma once
#include <windows.h>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FindLimits {
    std::optional<uint64_t> minSize, maxSize;          // bytes, both included
    std::optional<uint64_t> writtenFrom, writtenUntil; // UTC file times, from included, until excluded
};

// The encodings a text to find is looked for in.
constexpr unsigned kFindUtf8 = 1, kFindUtf16 = 2, kFindShiftJis = 4, kFindEveryEncoding = 7;

struct FindQuery {
    std::wstring folder;              // where the search starts (a full path)
    std::wstring maskText;            // as typed: masks separated by ";"
    std::vector<std::wstring> masks;  // empty means every name
    std::wstring text;                // the files must contain it; empty means no content search
    bool matchCase = false;
    unsigned encodings = kFindEveryEncoding;
    bool subfolders = true;
    bool hiddenAndSystem = true;      // entries with the hidden or system attribute are searched too
    FindLimits limits;
};

// The masks of "*.txt;*.md", blanks around each left out; none when the text names a folder
// (a separator would search another folder under this one's name).
std::optional<std::vector<std::wstring>> parseMasks(std::wstring_view text);
// Whether `name` matches `mask` as the listing's mask matches: "*" any run, "?" one character,
// letters in either case, and "*.*" every name, with or without a dot.
bool maskMatches(std::wstring_view mask, std::wstring_view name);
bool anyMaskMatches(const std::vector<std::wstring>& masks, std::wstring_view name);

// A size limit: digits with an optional K, M or G (1024-based) and an optional B. Empty text is no
// limit (an empty optional inside); none when the text is not such a number.
std::optional<std::optional<uint64_t>> parseSizeLimit(std::wstring_view text);
// A date limit "YYYY-MM-DD" or "YYYY/MM/DD", local time: the start of that day as a UTC file time,
// or of the next day when `endOfDay` (so "until" includes the day named). Empty text is no limit;
// none when the text is not a date.
std::optional<std::optional<uint64_t>> parseDateLimit(std::wstring_view text, bool endOfDay);

// Whether an entry the walk met is a result by its attributes, size and time (the name is the
// masks' business, the content the matcher's). A folder has no size and no content: with a size
// limit or a text to find, only files are results.
bool passesLimits(const FindQuery& query, const WIN32_FIND_DATAW& data);

// What a pane showing the results says in its header: the folder, the masks and the text.
std::wstring searchTitle(const FindQuery& query);
