#include "bench/BenchClock.h"
#include "framework/Handles.h"
#include <algorithm>
#include <cmath>
#include <cstdio>

double counterMs(int64_t count) {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    return static_cast<double>(count) / ticksPerMs;
}

double nowMs() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return counterMs(t.QuadPart);
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

Comparison compareRounds(const TimedStep& raw, const TimedStep& figure, int rounds) {
    std::vector<double> rawMs, figureMs, ratios;
    for (int round = 0; round <= rounds; ++round) {
        double ms[2] = {};
        for (int side = 0; side < 2; ++side) {
            const TimedStep& step = side == 0 ? raw : figure;
            if (step.prepare) step.prepare();
            const double start = nowMs();
            step.run();
            ms[side] = nowMs() - start;
        }
        if (round == 0) continue;
        rawMs.push_back(ms[0]);
        figureMs.push_back(ms[1]);
        ratios.push_back(ms[0] > 0 ? ms[1] / ms[0] : 0);
    }
    return {summarise(figureMs), summarise(rawMs), summarise(ratios).median};
}

Comparison compareWithRawPass(const std::wstring& folder, const std::function<void()>& run,
                              const std::function<void()>& prepare, int rounds) {
    return compareRounds({{}, [&] { rawPass(folder); }}, {prepare, run}, rounds);
}

std::string countRemark(int count, const char* what) {
    char text[96];
    std::snprintf(text, sizeof text, "(%d %s)", count, what);
    return text;
}

std::string goalRemark(double value, double goal, const char* unit) {
    char text[96];
    std::snprintf(text, sizeof text, "goal <= %g%s: %s", goal, unit, value <= goal ? "met" : "missed");
    return text;
}

double percentile(std::vector<double> samples, double share) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<size_t>(std::ceil(share * static_cast<double>(samples.size())));
    return samples[std::clamp<size_t>(rank, 1, samples.size()) - 1];
}

void printFigure(const std::string& figure, int entries, const Comparison& timing, const std::string& remark) {
    std::printf("%s %d: %.2f ms (%.2fx raw)  [min %.2f, max %.2f; raw %.2f ms]%s%s\n", figure.c_str(), entries,
                timing.figure.median, timing.ratio, timing.figure.min, timing.figure.max, timing.raw.median,
                remark.empty() ? "" : "  ", remark.c_str());
    std::fflush(stdout);
}
