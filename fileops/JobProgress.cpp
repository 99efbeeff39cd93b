#include "fileops/JobProgress.h"
#include <algorithm>
#include <cwchar>

void TransferRate::add(uint64_t ms, uint64_t bytes) {
    samples_[(first_ + count_) % kSamples] = {ms, bytes};
    if (count_ < kSamples) ++count_;
    else first_ = (first_ + 1) % kSamples;
    // Samples older than the window go, but two always stay to measure between.
    while (count_ > 2 && ms - samples_[(first_ + 1) % kSamples].ms >= kWindowMs) {
        first_ = (first_ + 1) % kSamples;
        --count_;
    }
}

uint64_t TransferRate::bytesPerSecond() const {
    if (count_ < 2) return 0;
    const Sample& oldest = samples_[first_];
    const Sample& newest = samples_[(first_ + count_ - 1) % kSamples];
    const uint64_t span = newest.ms - oldest.ms;
    if (span < 500 || newest.bytes < oldest.bytes) return 0;
    return (newest.bytes - oldest.bytes) * 1000 / span;
}

std::wstring formatByteAmount(uint64_t bytes) {
    if (bytes < 1024) return std::to_wstring(bytes) + L" B";
    static const wchar_t* const units[] = {L"KB", L"MB", L"GB", L"TB", L"PB", L"EB"};
    double value = static_cast<double>(bytes) / 1024;
    int unit = 0;
    // Rounded as shown, so 1023.9 KB is written 1.00 MB rather than 1024 KB.
    while (value >= 999.5 && unit < 5) {
        value /= 1024;
        ++unit;
    }
    wchar_t text[32];
    swprintf(text, 32, value < 9.995 ? L"%.2f %ls" : value < 99.95 ? L"%.1f %ls" : L"%.0f %ls", value, units[unit]);
    return text;
}

int thousandths(uint64_t part, uint64_t whole) {
    if (whole == 0 || part >= whole) return whole == 0 ? 0 : 1000;
    // In doubles a huge part just short of the whole rounds up; it is not all of it yet.
    return std::min(999, static_cast<int>(static_cast<double>(part) * 1000 / static_cast<double>(whole)));
}

std::wstring progressFigures(uint64_t done, uint64_t total, uint64_t bytesPerSecond) {
    std::wstring line = formatByteAmount(done);
    if (total != 0) line += L" / " + formatByteAmount(total) + L"  " + std::to_wstring(thousandths(done, total) / 10) + L"%";
    if (bytesPerSecond != 0) line += L"  " + formatByteAmount(bytesPerSecond) + L"/s";
    return line;
}
