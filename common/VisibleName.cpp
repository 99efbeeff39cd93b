#include "common/VisibleName.h"
#include "common/TextCut.h"
#include <cwchar>

namespace {
std::wstring markerText(wchar_t unit) {
    wchar_t text[16];
    swprintf(text, 16, L"<U+%04X>", static_cast<unsigned>(unit));
    return text;
}
}  // namespace

bool isHiddenCharacter(wchar_t unit) {
    const auto in = [unit](wchar_t first, wchar_t last) { return unit >= first && unit <= last; };
    return in(0x0000, 0x001F) || in(0x007F, 0x009F)                                   // controls
           || in(0x202A, 0x202E) || in(0x2066, 0x2069) || in(0x200E, 0x200F) || unit == 0x061C  // bidi
           || in(0x200B, 0x200D) || unit == 0x2060 || unit == 0xFEFF;                    // zero width
}

NameRuns visibleNameRuns(std::wstring_view name) {
    NameRuns runs;
    size_t start = 0;  // of the ordinary text not yet in a run
    const auto flush = [&](size_t end) {
        if (end > start) runs.push_back({std::wstring(name.substr(start, end - start)), false});
    };
    for (size_t i = 0; i < name.size(); ++i) {
        const wchar_t unit = name[i];
        if (isHighSurrogate(unit) && i + 1 < name.size() && isLowSurrogate(name[i + 1])) {
            ++i;  // a whole pair is an ordinary character
            continue;
        }
        // A lone half of a pair draws as nothing or as a box, so it is marked as well.
        if (!isHiddenCharacter(unit) && !isHighSurrogate(unit) && !isLowSurrogate(unit)) continue;
        flush(i);
        runs.push_back({markerText(unit), true});
        start = i + 1;
    }
    flush(name.size());
    return runs;
}

std::wstring joinedText(const NameRuns& runs) {
    std::wstring text;
    for (const NameRun& run : runs) text += run.text;
    return text;
}

std::wstring visibleName(std::wstring_view name) { return joinedText(visibleNameRuns(name)); }

NameRuns cutRuns(const NameRuns& runs, size_t limit) {
    NameRuns kept;
    for (const NameRun& run : runs) {
        if (run.text.size() <= limit) {
            kept.push_back(run);
            limit -= run.text.size();
            continue;
        }
        // The run that does not fit is the last one kept, in part if it is text.
        const size_t cut = run.marker ? 0 : clusterCut(run.text, limit);
        if (cut > 0) kept.push_back({run.text.substr(0, cut), false});
        break;
    }
    return kept;
}
