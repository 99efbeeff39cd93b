#include "find/ContentMatch.h"
#include "find/FindQuery.h"
#include "find/ReadAhead.h"
#include "common/PathUtil.h"
#include "framework/Handles.h"
#include <emmintrin.h>
#include <algorithm>

namespace {
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
    buildShifts();
}

void ContentPattern::addForm(std::string bytes, bool wide) {
    if (bytes.empty()) return;
    for (char& c : bytes) c = static_cast<char>(fold_[static_cast<uint8_t>(c)]);
    // Text that is plain ASCII reads the same in UTF-8 and Shift_JIS: one form does for both.
    for (const Form& form : forms_)
        if (form.bytes == bytes && form.wide == wide) return;
    Form form{std::move(bytes), wide, {}, {}};
    const auto* p = reinterpret_cast<const uint8_t*>(form.bytes.data());
    const size_t length = form.bytes.size();
    // Bytes above ASCII are rare in most text, letters common.
    const auto rank = [&](size_t i) { return p[i] >= 0x80 ? 2 : (p[i] >= 'a' && p[i] <= 'z') ? 0 : 1; };
    size_t first = 0, second = length - 1;
    for (size_t i = 0; i < length; ++i)
        if (rank(i) > rank(first)) first = i;
    for (size_t i = length; i-- > 0;)
        if (i != first && (second == first || rank(i) > rank(second))) second = i;
    form.anchor[0] = first;
    form.anchor[1] = second;
    for (int k = 0; k < 2; ++k) {
        const uint8_t byte = p[form.anchor[k]];
        form.anchorBytes[k][0] = byte;
        // The other case of a folded letter; the same byte again where there is none.
        form.anchorBytes[k][1] = byte;
        for (int other = 0; other < 256; ++other)
            if (other != byte && fold_[other] == byte) form.anchorBytes[k][1] = static_cast<uint8_t>(other);
    }
    longest_ = std::max(longest_, length);
    shortest_ = forms_.empty() ? length : std::min(shortest_, length);
    forms_.push_back(std::move(form));
}

bool ContentPattern::formAt(const Form& form, std::span<const uint8_t> bytes, size_t start, uint64_t offset) const {
    const size_t length = form.bytes.size();
    if (start + length > bytes.size() || (form.wide && (offset + start) % 2 != 0)) return false;
    const auto* p = reinterpret_cast<const uint8_t*>(form.bytes.data());
    size_t i = 0;
    while (i < length && fold_[bytes[start + i]] == p[i]) ++i;
    return i == length;
}

void ContentPattern::buildShifts() {
    if (forms_.empty() || shortest_ < 4) return;
    const auto most = static_cast<uint8_t>(std::min<size_t>(shortest_ - 1, 255));
    std::vector<uint8_t> folded(65536, most);
    for (const Form& form : forms_) {
        const auto* p = reinterpret_cast<const uint8_t*>(form.bytes.data());
        for (size_t end = 2; end <= shortest_; ++end) {
            const size_t pair = p[end - 2] | (p[end - 1] << 8);
            folded[pair] = static_cast<uint8_t>(std::min<size_t>(folded[pair], shortest_ - end));
        }
    }
    shifts_.resize(65536);
    for (size_t pair = 0; pair < 65536; ++pair) shifts_[pair] = folded[fold_[pair & 0xFF] | (fold_[pair >> 8] << 8)];
}

bool ContentPattern::scanByShifts(std::span<const uint8_t> bytes, uint64_t offset) const {
    // Four scans of four stretches side by side: each step waits on the table read before it, so
    // one scan alone would leave the processor idle most of the time.
    constexpr int kLanes = 4;
    const uint8_t* data = bytes.data();
    const uint8_t* shifts = shifts_.data();
    const size_t first = shortest_ - 1, size = bytes.size(), stretch = (size - first) / kLanes + 1;
    size_t ends[kLanes], limits[kLanes];
    for (int lane = 0; lane < kLanes; ++lane) {
        ends[lane] = std::min(size, first + lane * stretch);
        limits[lane] = lane + 1 < kLanes ? std::min(size, first + (lane + 1) * stretch) : size;
    }
    const auto pairAt = [data](size_t end) { return data[end - 1] | (data[end] << 8); };
    const auto check = [&](size_t end) {
        for (const Form& form : forms_)
            if (formAt(form, bytes, end + 1 - shortest_, offset)) return true;
        return false;
    };
    for (;;) {
        bool inside = true;
        for (int lane = 0; lane < kLanes; ++lane) inside = inside && ends[lane] < limits[lane];
        if (!inside) break;
        for (int lane = 0; lane < kLanes; ++lane) {
            const uint8_t shift = shifts[pairAt(ends[lane])];
            if (shift == 0 && check(ends[lane])) return true;
            ends[lane] += shift ? shift : 1;
        }
    }
    for (int lane = 0; lane < kLanes; ++lane) {
        for (size_t end = ends[lane]; end < limits[lane];) {
            const uint8_t shift = shifts[pairAt(end)];
            if (shift == 0 && check(end)) return true;
            end += shift ? shift : 1;
        }
    }
    return false;
}

bool ContentPattern::foundIn(std::span<const uint8_t> bytes, uint64_t offset) const {
    if (forms_.empty() || bytes.size() < shortest_) return false;
    if (!shifts_.empty()) return scanByShifts(bytes, offset);
    size_t start = 0;
    if (scanBySixteen(bytes, offset, start)) return true;
    for (; start + shortest_ <= bytes.size(); ++start)
        for (const Form& form : forms_)
            if (formAt(form, bytes, start, offset)) return true;
    return false;
}

// Short forms skip little: they are looked for by their two rarest bytes, sixteen starting places
// at a time while every form fits behind the last of them. `start` is left where that ends.
bool ContentPattern::scanBySixteen(std::span<const uint8_t> bytes, uint64_t offset, size_t& start) const {
    const uint8_t* data = bytes.data();
    if (bytes.size() >= longest_ + 16) {
        struct Wanted {
            __m128i a0, a1, b0, b1;
            size_t first, second;
            bool oneCase;
        };
        // Three spellings in four encodings at most.
        Wanted wanted[12];
        const size_t forms = std::min<size_t>(forms_.size(), 12);
        for (size_t f = 0; f < forms; ++f) {
            const Form& form = forms_[f];
            wanted[f] = {_mm_set1_epi8(static_cast<char>(form.anchorBytes[0][0])),
                         _mm_set1_epi8(static_cast<char>(form.anchorBytes[0][1])),
                         _mm_set1_epi8(static_cast<char>(form.anchorBytes[1][0])),
                         _mm_set1_epi8(static_cast<char>(form.anchorBytes[1][1])), form.anchor[0], form.anchor[1],
                         form.anchorBytes[0][0] == form.anchorBytes[0][1] &&
                             form.anchorBytes[1][0] == form.anchorBytes[1][1]};
        }
        for (const size_t end = bytes.size() - longest_ - 15; start < end; start += 16) {
            for (size_t f = 0; f < forms; ++f) {
                const Wanted& w = wanted[f];
                const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + start + w.first));
                const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + start + w.second));
                const __m128i hits =
                    w.oneCase ? _mm_and_si128(_mm_cmpeq_epi8(x, w.a0), _mm_cmpeq_epi8(y, w.b0))
                              : _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(x, w.a0), _mm_cmpeq_epi8(x, w.a1)),
                                              _mm_or_si128(_mm_cmpeq_epi8(y, w.b0), _mm_cmpeq_epi8(y, w.b1)));
                for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask; mask &= mask - 1)
                    if (formAt(forms_[f], bytes, start + static_cast<size_t>(__builtin_ctz(mask)), offset)) return true;
            }
        }
    }
    return false;
}

bool ContentScan::feed(std::span<const uint8_t> piece) {
    const size_t keep = pattern_.longest() > 0 ? pattern_.longest() - 1 : 0;
    if (!tail_.empty()) {
        seam_.assign(tail_.begin(), tail_.end());
        seam_.insert(seam_.end(), piece.begin(), piece.begin() + static_cast<ptrdiff_t>(std::min(keep, piece.size())));
        if (pattern_.foundIn(seam_, offset_ - tail_.size())) return true;
    }
    if (pattern_.foundIn(piece, offset_)) return true;
    if (piece.size() >= keep) {
        tail_.assign(piece.end() - static_cast<ptrdiff_t>(keep), piece.end());
    } else {
        tail_.insert(tail_.end(), piece.begin(), piece.end());
        if (tail_.size() > keep) tail_.erase(tail_.begin(), tail_.end() - static_cast<ptrdiff_t>(keep));
    }
    offset_ += piece.size();
    return false;
}

ContentAnswer fileContains(const std::wstring& path, const ContentPattern& pattern,
                           const std::atomic<bool>& cancelled, ReadAhead& reader, DWORD& error) {
    // Read sharing with writers too: a file another program writes to is searched as it stands.
    UniqueHandle file = UniqueHandle::fromApi(CreateFileW(literalPath(path).c_str(), GENERIC_READ,
                                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                          nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        error = GetLastError();
        return ContentAnswer::Unreadable;
    }
    ContentScan scan(pattern);
    reader.begin(file.get());
    ContentAnswer answer = ContentAnswer::NotFound;
    for (;;) {
        if (cancelled.load(std::memory_order_relaxed)) {
            answer = ContentAnswer::Cancelled;
            break;
        }
        std::span<const uint8_t> piece;
        if (!reader.next(piece, error)) {
            answer = ContentAnswer::Unreadable;
            break;
        }
        if (piece.empty()) break;
        if (scan.feed(piece)) {
            answer = ContentAnswer::Found;
            break;
        }
    }
    reader.finish();
    return answer;
}
