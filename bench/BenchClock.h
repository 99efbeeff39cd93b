// Timing and reporting for the benchmark: medians of repeated runs after a warm-up, the cost of
// one raw enumeration of the same folder as the yardstick, and one printed line per figure.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct Timing {
    double median = 0;
    double min = 0;
    double max = 0;
};

double nowMs();
Timing summarise(std::vector<double> samples);

// Runs `run` once to warm up, then `runs` times, timing each run.
template <typename Run>
Timing timeRuns(Run&& run, int runs = 7) {
    run();
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const double start = nowMs();
        run();
        samples.push_back(nowMs() - start);
    }
    return summarise(std::move(samples));
}

// One FindFirstFileExW(FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH)/FindNextFileW pass over the
// names matching `pattern`; the number of names it returned.
int rawPass(const std::wstring& folder, const wchar_t* pattern = L"*");
// The median raw pass over `folder`, measured once per run of the benchmark.
const Timing& rawTiming(const std::wstring& folder);

// "(<count> <what>)", for the remark of a figure.
std::string countRemark(int count, const char* what);

// "<figure> <entries>: <median> ms (<ratio>x raw)  [min .. max]" and an optional remark.
void printFigure(const std::string& figure, int entries, const Timing& timing, const std::wstring& rawFolder,
                 const std::string& remark = {});
