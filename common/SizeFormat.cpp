#include "common/SizeFormat.h"
#include <cwchar>

namespace {
// Sizes above the signed range are shown through their K/M/G forms, which always fit.
int64_t asSigned(uint64_t v) { return v > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(v); }

std::wstring rightAligned(const std::wstring& text, int width) {
    return text.size() >= static_cast<size_t>(width) ? text : std::wstring(static_cast<size_t>(width) - text.size(), L' ') + text;
}
}  // namespace

std::wstring formatThousands(int64_t value) {
    if (value < 0) {
        // The most negative value has no positive counterpart: format its magnitude unsigned.
        const uint64_t magnitude = 0 - static_cast<uint64_t>(value);
        std::wstring digits = std::to_wstring(magnitude);
        for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), L",");
        return L"-" + digits;
    }
    std::wstring result;
    wchar_t group[8];
    while (value >= 1000) {
        swprintf(group, 8, L",%03d", static_cast<int>(value % 1000));
        result.insert(0, group);
        value /= 1000;
    }
    return std::to_wstring(value) + result;
}

int thousandsWidth(int64_t value) {
    int width = 0;
    uint64_t v = static_cast<uint64_t>(value);
    if (value < 0) {
        width = 1;
        v = 0 - v;
    }
    while (v >= 1000) {
        width += 4;
        v /= 1000;
    }
    return width + (v < 10 ? 1 : v < 100 ? 2 : 3);
}

std::wstring formatSizeCell(int width, uint64_t size) {
    if (width < 5) return std::wstring(static_cast<size_t>(width > 0 ? width : 0), L'-');
    if (thousandsWidth(asSigned(size)) <= width) return rightAligned(formatThousands(asSigned(size)), width);
    const int w = width - 1;
    uint64_t v = size / 1024;
    for (wchar_t unit : {L'K', L'M', L'G'}) {
        if (thousandsWidth(asSigned(v)) <= w) return rightAligned(formatThousands(asSigned(v)), w) + unit;
        v /= 1024;
    }
    return L"\x221E" + std::wstring(static_cast<size_t>(width - 1), L' ');
}
