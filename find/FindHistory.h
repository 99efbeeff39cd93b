// The last masks and texts searched for, most recent first, under "D0", "D1", ... of the
// settings sections "FindMask" and "FindText".
#pragma once
#include "common/NumberedSection.h"
#include <string>
#include <vector>

class FindHistory : public NumberedSection {
public:
    static constexpr int kLimit = 20;

    explicit FindHistory(const wchar_t* section) { setSection(section, kLimit); }
    // The texts from "D0" on, up to the first empty one.
    std::vector<std::wstring> load() const;
    // `text` comes first, an earlier copy of it goes, and the oldest beyond the limit go too.
    // An empty text changes nothing.
    void remember(const std::wstring& text);
};
