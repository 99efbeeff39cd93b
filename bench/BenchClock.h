// Timing and reporting for the benchmark: each figure timed against its yardstick (usually one raw
// enumeration of the same folder) in alternating rounds, and one printed line per figure.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Timing {
    double median = 0;
    double min = 0;
    double max = 0;
};

double nowMs();
// A QueryPerformanceCounter value on nowMs's scale.
double counterMs(int64_t count);
Timing summarise(std::vector<double> samples);

// One side of a comparison: `prepare` untimed, then `run` timed.
struct TimedStep {
    std::function<void()> prepare;
    std::function<void()> run;
};

// A figure and its yardstick timed in turn, round by round. The figure's ratio is the median of
// the rounds' own ratios: a machine busy for a while slows both halves of a round alike, where
// the ratio of two separate medians would swing with it.
struct Comparison {
    Timing figure, raw;
    double ratio = 0;  // figure time over raw time
};
constexpr int kRounds = 7;
// One untimed warm-up round, then `rounds` timed ones.
Comparison compareRounds(const TimedStep& raw, const TimedStep& figure, int rounds = kRounds);
// Against one raw pass over `folder`, with the figure's `prepare` before each run.
Comparison compareWithRawPass(const std::wstring& folder, const std::function<void()>& run,
                              const std::function<void()>& prepare = {}, int rounds = kRounds);
// Rounds for a folder of 1,000,000 entries, whose raw pass alone takes seconds under Wine.
constexpr int kMillionRounds = 3;

// One FindFirstFileExW(FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH)/FindNextFileW pass over the
// names matching `pattern`; the number of names it returned.
int rawPass(const std::wstring& folder, const wchar_t* pattern = L"*");

// "(<count> <what>)", for the remark of a figure.
std::string countRemark(int count, const char* what);
// "goal <= <goal><unit>: met" (or "missed"), for a figure that must stay at or under `goal`.
std::string goalRemark(double value, double goal, const char* unit);
// The `share` quantile (0.95 for the 95th percentile) of `samples`: the smallest sample that at
// least that share of them does not exceed.
double percentile(std::vector<double> samples, double share);

// "<figure> <entries>: <median> ms (<ratio>x raw)  [min, max; raw <median> ms]" and a remark.
void printFigure(const std::string& figure, int entries, const Comparison& timing, const std::string& remark = {});
