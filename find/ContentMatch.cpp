#include "find/ContentMatch.h"
#include "find/FindQuery.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"
#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kNotFound = SIZE_MAX;

std::string bytesOf(std::wstring_view text, UINT codePage) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    // WC_NO_BEST_FIT_CHARS: a character Shift_JIS lacks must not turn into a "?" that matches anything spelt so.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lost = FALSE;
    BOOL* lostFlag = codePage == CP_UTF8 ? nullptr : &lost;
    const int length = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, lostFlag);
    std::string out(static_cast<size_t>(std::max(length, 0)), '\0');
    if (length > 0) WideCharToMultiByte(codePage, flags, text.data(), size, out.data(), length, nullptr, lostFlag);
    return lost ? std::string() : out;
}

std::string utf16Bytes(std::wstring_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    for (wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
    }
    return out;
}

std::wstring mapped(std::wstring_view text, DWORD how) {
    std::wstring out(text);
    if (!out.empty()) LCMapStringEx(LOCALE_NAME_INVARIANT, how, text.data(), static_cast<int>(text.size()),
                                    out.data(), static_cast<int>(out.size()), nullptr, nullptr, 0);
    return out;
}
}  // namespace

ContentPattern::ContentPattern(std::wstring_view text, bool matchCase, unsigned encodings) {
    for (int b = 0; b < 256; ++b)
        fold_[b] = static_cast<uint8_t>(!matchCase && b >= 'A' && b <= 'Z' ? b + ('a' - 'A') : b);
    std::vector<std::wstring> spellings{std::wstring(text)};
    if (!matchCase) {
        for (DWORD how : {LCMAP_UPPERCASE, LCMAP_LOWERCASE}) {
            std::wstring other = mapped(text, how);
            if (std::find(spellings.begin(), spellings.end(), other) == spellings.end()) spellings.push_back(other);
        }
    }
    for (const std::wstring& spelling : spellings) {
        if (encodings & kFindUtf8) addForm(bytesOf(spelling, CP_UTF8), false);
        if (encodings & kFindShiftJis) addForm(bytesOf(spelling, 932), false);
        if (encodings & kFindUtf16) {
            addForm(utf16Bytes(spelling, false), true);
            addForm(utf16Bytes(spelling, true), true);
        }
    }
}

void ContentPattern::addForm(std::string bytes, bool wide) {
    if (bytes.empty()) return;
    for (char& c : bytes) c = static_cast<char>(fold_[static_cast<uint8_t>(c)]);
    for (const Form& form : forms_)
        if (form.bytes == bytes && form.wide == wide) return;
    // Text that is plain ASCII reads the same in UTF-8 and Shift_JIS: one form does for both.
    Form form{std::move(bytes), wide, {}};
    const size_t length = form.bytes.size();
    std::fill(std::begin(form.skip), std::end(form.skip), static_cast<uint32_t>(length));
    for (size_t i = 0; i + 1 < length; ++i)
        form.skip[static_cast<uint8_t>(form.bytes[i])] = static_cast<uint32_t>(length - 1 - i);
    // A byte that folds onto a pattern byte skips as that byte does.
    for (int b = 0; b < 256; ++b) form.skip[b] = form.skip[fold_[b]];
    longest_ = std::max(longest_, length);
    forms_.push_back(std::move(form));
}

size_t ContentPattern::find(const Form& form, std::span<const uint8_t> bytes, size_t from) const {
    // Boyer-Moore-Horspool over folded bytes.
    const auto* pattern = reinterpret_cast<const uint8_t*>(form.bytes.data());
    const size_t length = form.bytes.size();
    const uint8_t last = pattern[length - 1];
    const uint8_t* data = bytes.data();
    for (size_t at = from; at + length <= bytes.size();) {
        const uint8_t end = fold_[data[at + length - 1]];
        if (end == last) {
            size_t i = 0;
            while (i + 1 < length && fold_[data[at + i]] == pattern[i]) ++i;
            if (i + 1 == length) return at;
        }
        at += form.skip[end];
    }
    return kNotFound;
}

bool ContentPattern::foundIn(std::span<const uint8_t> bytes, uint64_t offset) const {
    for (const Form& form : forms_) {
        for (size_t at = find(form, bytes, 0); at != kNotFound; at = find(form, bytes, at + 1))
            if (!form.wide || ((offset + at) % 2) == 0) return true;
    }
    return false;
}

bool ContentScan::feed(std::span<const uint8_t> piece) {
    const size_t keep = pattern_.longest() > 0 ? pattern_.longest() - 1 : 0;
    if (window_.size() > keep) {
        windowOffset_ += window_.size() - keep;
        window_.erase(window_.begin(), window_.end() - static_cast<ptrdiff_t>(keep));
    }
    window_.insert(window_.end(), piece.begin(), piece.end());
    return pattern_.foundIn(window_, windowOffset_);
}

ContentAnswer fileContains(const std::wstring& path, const ContentPattern& pattern,
                           const std::atomic<bool>& cancelled, std::vector<uint8_t>& buffer, DWORD& error) {
    // Read sharing with writers too: a file another program writes to is searched as it stands.
    UniqueHandle file = UniqueHandle::fromApi(CreateFileW(literalPath(path).c_str(), GENERIC_READ,
                                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                          nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        error = GetLastError();
        return ContentAnswer::Unreadable;
    }
    const size_t keep = pattern.longest() > 0 ? pattern.longest() - 1 : 0;
    if (buffer.size() < keep * 2 + 4096) buffer.resize(keep * 2 + 65536);
    // The buffer holds the last piece's tail, then the next piece read behind it.
    size_t kept = 0;
    uint64_t offset = 0;  // the file offset of buffer[0]
    for (;;) {
        if (cancelled.load(std::memory_order_relaxed)) return ContentAnswer::Cancelled;
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer.data() + kept, static_cast<DWORD>(buffer.size() - kept), &read, nullptr)) {
            error = GetLastError();
            return ContentAnswer::Unreadable;
        }
        if (read == 0) return ContentAnswer::NotFound;
        const size_t filled = kept + read;
        if (pattern.foundIn({buffer.data(), filled}, offset)) return ContentAnswer::Found;
        const size_t next = filled > keep ? keep : filled;
        std::memmove(buffer.data(), buffer.data() + filled - next, next);
        offset += filled - next;
        kept = next;
    }
}
