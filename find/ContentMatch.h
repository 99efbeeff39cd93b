// Looks for one text in a file's bytes in the encodings Japanese text files come in: UTF-8,
// UTF-16 in either byte order (with or without a byte-order mark) and Shift_JIS. Files are read in
// pieces of a fixed size, so a file of any size is searched with flat memory.
#pragma once
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ContentPattern {
public:
    // Without `matchCase`, letters A to Z match in either case in every encoding, and a text with
    // other letters is also looked for all in upper and all in lower case.
    // `encodings` are the kFind... bits of FindQuery.h.
    ContentPattern(std::wstring_view text, bool matchCase, unsigned encodings);
    bool empty() const { return forms_.empty(); }
    // The longest form in bytes: a piece keeps this many bytes less one from the last piece.
    size_t longest() const { return longest_; }
    // Whether some form occurs in `bytes`, which begin at byte `offset` of the file (UTF-16 forms
    // count only at even offsets of the file).
    bool foundIn(std::span<const uint8_t> bytes, uint64_t offset) const;

private:
    struct Form {
        std::string bytes;  // folded when the case does not count
        bool wide;          // UTF-16: only at even offsets
        uint32_t skip[256];
    };
    void addForm(std::string bytes, bool wide);
    size_t find(const Form& form, std::span<const uint8_t> bytes, size_t from) const;

    std::vector<Form> forms_;
    uint8_t fold_[256];
    size_t longest_ = 0;
};

// Feeds a file's pieces to a pattern, each with the tail of the one before, so a text across the
// boundary of two pieces is found.
class ContentScan {
public:
    explicit ContentScan(const ContentPattern& pattern) : pattern_(pattern) {}
    // True once the text was found in what was fed so far.
    bool feed(std::span<const uint8_t> piece);

private:
    const ContentPattern& pattern_;
    std::vector<uint8_t> window_;  // the kept tail, then the new piece
    uint64_t windowOffset_ = 0;    // the file offset of window_[0]
};

enum class ContentAnswer { Found, NotFound, Unreadable, Cancelled };

// Reads the file through once, in pieces of `buffer`'s size, until the text is found. `error` is
// the platform's reason when the file cannot be opened or read.
ContentAnswer fileContains(const std::wstring& path, const ContentPattern& pattern,
                           const std::atomic<bool>& cancelled, std::vector<uint8_t>& buffer, DWORD& error);
