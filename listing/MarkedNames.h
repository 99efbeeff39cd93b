// The names of a listing's marked entries, kept apart from the listing so a re-read can free the
// old entries before it reads the new ones and still hand every mark to the entry of the same name.
#pragma once
#include "listing/FileList.h"
#include <string>
#include <vector>

class MarkedNames {
public:
    explicit MarkedNames(const FileList& list);

    bool empty() const { return offsets_.empty(); }
    // Marks every entry of `list` whose name equals (code unit for code unit) a kept name, and
    // recounts it.
    void applyTo(FileList& list) const;

private:
    const wchar_t* nameAt(size_t i) const { return text_.data() + offsets_[i]; }

    std::wstring text_;             // the names, each zero-terminated, in listing order
    std::vector<uint32_t> offsets_; // where each name starts in text_
};
