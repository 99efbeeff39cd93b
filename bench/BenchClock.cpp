#include "bench/BenchClock.h"
#include "framework/Handles.h"
#include <algorithm>
#include <cstdio>
#include <map>

double nowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

Timing summarise(std::vector<double> samples) {
    if (samples.empty()) return {};
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {median, samples.front(), samples.back()};
}

int rawPass(const std::wstring& folder, const wchar_t* pattern) {
    WIN32_FIND_DATAW data;
    const std::wstring path = folder + L"\\" + pattern;
    FindHandle find(FindFirstFileExW(path.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileW(find.get(), &data));
    return count;
}

const Timing& rawTiming(const std::wstring& folder) {
    static std::map<std::wstring, Timing> measured;
    auto it = measured.find(folder);
    if (it == measured.end()) it = measured.emplace(folder, timeRuns([&] { rawPass(folder); })).first;
    return it->second;
}

std::string countRemark(int count, const char* what) {
    char text[96];
    std::snprintf(text, sizeof text, "(%d %s)", count, what);
    return text;
}

void printFigure(const std::string& figure, int entries, const Timing& timing, const std::wstring& rawFolder,
                 const std::string& remark) {
    const double raw = rawTiming(rawFolder).median;
    std::printf("%s %d: %.2f ms (%.2fx raw)  [min %.2f, max %.2f; raw %.2f ms]%s%s\n", figure.c_str(), entries,
                timing.median, raw > 0 ? timing.median / raw : 0.0, timing.min, timing.max, raw,
                remark.empty() ? "" : "  ", remark.c_str());
    std::fflush(stdout);
}
