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
    // A short form is looked for by two of its bytes first, sixteen places at a time, and byte by
    // byte only where both are in place. The two are its rarest (bytes above ASCII first), so that
    // plain text rarely stops the scan; each may stand in two cases.
    struct Form {
        std::string bytes;  // folded when the case does not count
        bool wide;          // UTF-16: only at even offsets
        size_t anchor[2];
        uint8_t anchorBytes[2][2];
    };
    void addForm(std::string bytes, bool wide);
    // Whether `form` begins at `start` of `bytes` and lies inside them.
    bool formAt(const Form& form, std::span<const uint8_t> bytes, size_t start, uint64_t offset) const;

    void buildShifts();
    bool scanBySixteen(std::span<const uint8_t> bytes, uint64_t offset, size_t& start) const;
    bool scanByShifts(std::span<const uint8_t> bytes, uint64_t offset) const;

    std::vector<Form> forms_;
    uint8_t fold_[256];
    size_t longest_ = 0;
    size_t shortest_ = 0;
    // For forms of four bytes and more, one pass for all of them at once (Wu and Manber's shift
    // table over byte pairs): how far the end of a window of the shortest form's length may move
    // on, by the two bytes under its end as they stand in the file (folding is built in); 0 where
    // some form may end there. Empty where the forms are too short to skip much.
    std::vector<uint8_t> shifts_;
};

// Feeds a file's pieces to a pattern as they come, each looked through where it lies; the seam
// between two (the tail of the one before and the head of the next) is looked through on its own,
// so a text across the boundary is found without copying any piece.
class ContentScan {
public:
    explicit ContentScan(const ContentPattern& pattern) : pattern_(pattern) {}
    // True once the text was found in what was fed so far.
    bool feed(std::span<const uint8_t> piece);

private:
    const ContentPattern& pattern_;
    std::vector<uint8_t> tail_;  // the last bytes fed, as many as a form less one
    std::vector<uint8_t> seam_;
    uint64_t offset_ = 0;        // the file offset of the next piece
};

enum class ContentAnswer { Found, NotFound, Unreadable, Cancelled };

class ReadAhead;
// Reads the file through once, in the pieces `reader` gives, until the text is found. `error` is
// the platform's reason when the file cannot be opened or read.
ContentAnswer fileContains(const std::wstring& path, const ContentPattern& pattern,
                           const std::atomic<bool>& cancelled, ReadAhead& reader, DWORD& error);
