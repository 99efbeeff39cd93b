#include "find/FindQuery.h"
#include "common/PathUtil.h"
#include "common/VisibleName.h"
#include <memory>

namespace {
// Upper case of every UTF-16 unit as the platform sees it, made once: the match runs per entry of
// trees of millions, where a call into the platform per character would cost more than the walk.
const wchar_t* upperTable() {
    static const std::unique_ptr<wchar_t[]> table = [] {
        auto made = std::make_unique<wchar_t[]>(65536);
        for (int c = 0; c < 65536; ++c) made[c] = static_cast<wchar_t>(c);
        // Surrogates stay as they are: alone they are no characters to change.
        CharUpperBuffW(made.get(), 0xD800);
        CharUpperBuffW(made.get() + 0xE000, 65536 - 0xE000);
        return made;
    }();
    return table.get();
}

std::wstring_view trimmed(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

bool allDigits(std::wstring_view text) {
    if (text.empty()) return false;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9') return false;
    return true;
}
}  // namespace

std::optional<std::vector<std::wstring>> parseMasks(std::wstring_view text) {
    if (text.find_first_of(L"\\/") != std::wstring_view::npos) return std::nullopt;
    std::vector<std::wstring> masks;
    while (!text.empty()) {
        const size_t end = text.find(L';');
        const std::wstring_view one = trimmed(text.substr(0, end));
        if (!one.empty()) masks.emplace_back(one);
        if (end == std::wstring_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return masks;
}

bool maskMatches(std::wstring_view mask, std::wstring_view name) {
    if (mask == L"*.*" || mask == L"*") return true;
    const wchar_t* upper = upperTable();
    // The usual star-and-backtrack walk: on a mismatch after a star, the star takes one more character.
    size_t m = 0, n = 0, star = std::wstring_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == L'?' || upper[mask[m]] == upper[name[n]])) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == L'*') {
            star = m++;
            starName = n;
        } else if (star != std::wstring_view::npos) {
            m = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == L'*') ++m;
    return m == mask.size();
}

bool anyMaskMatches(const std::vector<std::wstring>& masks, std::wstring_view name) {
    if (masks.empty()) return true;
    for (const std::wstring& mask : masks)
        if (maskMatches(mask, name)) return true;
    return false;
}

std::optional<std::optional<uint64_t>> parseSizeLimit(std::wstring_view text) {
    text = trimmed(text);
    if (text.empty()) return std::optional<uint64_t>();
    if (text.back() == L'B' || text.back() == L'b') text.remove_suffix(1);
    int shift = 0;
    if (!text.empty()) {
        switch (text.back()) {
        case L'K': case L'k': shift = 10; break;
        case L'M': case L'm': shift = 20; break;
        case L'G': case L'g': shift = 30; break;
        default: break;
        }
        if (shift) text = trimmed(text.substr(0, text.size() - 1));
    }
    if (!allDigits(text) || text.size() > 15) return std::nullopt;
    uint64_t value = 0;
    for (wchar_t c : text) value = value * 10 + static_cast<uint64_t>(c - L'0');
    if (value > (UINT64_MAX >> shift)) return std::nullopt;
    return std::optional<uint64_t>(value << shift);
}

std::optional<std::optional<uint64_t>> parseDateLimit(std::wstring_view text, bool endOfDay) {
    text = trimmed(text);
    if (text.empty()) return std::optional<uint64_t>();
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const size_t end = i < 2 ? text.find_first_of(L"-/") : text.size();
        if (end == std::wstring_view::npos) return std::nullopt;
        const std::wstring_view digits = text.substr(0, end);
        if (!allDigits(digits) || digits.size() > 4) return std::nullopt;
        for (wchar_t c : digits) parts[i] = parts[i] * 10 + (c - L'0');
        text.remove_prefix(std::min(text.size(), end + 1));
    }
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(parts[0]);
    local.wMonth = static_cast<WORD>(parts[1]);
    local.wDay = static_cast<WORD>(parts[2]);
    FILETIME localTime, utc;
    // The platform refuses a month 13 or a 30 February: such a text is not a date.
    if (parts[0] < 1601 || !SystemTimeToFileTime(&local, &localTime)) return std::nullopt;
    SYSTEMTIME back{};
    if (!FileTimeToSystemTime(&localTime, &back) || back.wDay != local.wDay) return std::nullopt;
    ULARGE_INTEGER value{{localTime.dwLowDateTime, localTime.dwHighDateTime}};
    if (endOfDay) value.QuadPart += 24ull * 3600 * 10'000'000;
    localTime = {value.LowPart, value.HighPart};
    if (!LocalFileTimeToFileTime(&localTime, &utc)) return std::nullopt;
    return std::optional<uint64_t>((static_cast<uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime);
}

bool passesLimits(const FindQuery& query, const WIN32_FIND_DATAW& data) {
    if (!query.hiddenAndSystem && (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        return false;
    const FindLimits& limits = query.limits;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (!query.text.empty() || limits.minSize || limits.maxSize) return false;
    } else {
        const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if ((limits.minSize && size < *limits.minSize) || (limits.maxSize && size > *limits.maxSize)) return false;
    }
    const uint64_t written = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                             data.ftLastWriteTime.dwLowDateTime;
    if (limits.writtenFrom && written < *limits.writtenFrom) return false;
    if (limits.writtenUntil && written >= *limits.writtenUntil) return false;
    return true;
}

std::wstring searchTitle(const FindQuery& query) {
    std::wstring masks;
    for (const std::wstring& mask : query.masks) masks += (masks.empty() ? L"" : L";") + mask;
    std::wstring title = ensureTrailingBackslash(query.folder) + L" の検索結果: " + (masks.empty() ? L"*" : masks);
    if (!query.text.empty()) title += L" 「" + query.text + L"」";
    return visibleName(title);
}
