#include "fileops/JobProgress.h"
#include <gtest/gtest.h>

TEST(JobProgress, AmountsAndFiguresKeepThreeFiguresAndLeaveOutWhatIsUnknown) {
    const struct { uint64_t bytes; const wchar_t* text; } amounts[] = {
        {0, L"0 B"}, {1023, L"1023 B"}, {1024, L"1.00 KB"}, {1536, L"1.50 KB"}, {10189, L"9.95 KB"},
        {10240, L"10.0 KB"}, {102348, L"99.9 KB"}, {1023 * 1024 + 1000, L"1.00 MB"},
        {6ull << 30, L"6.00 GB"}, {~0ull, L"16.0 EB"},
    };
    for (const auto& r : amounts) {
        SCOPED_TRACE(r.bytes);
        EXPECT_EQ(formatByteAmount(r.bytes), r.text);
    }
    const struct { uint64_t done, total, rate; const wchar_t* line; } lines[] = {
        {3 << 20, 4 << 20, 0, L"3.00 MB / 4.00 MB  75%"},
        {3 << 20, 0, 0, L"3.00 MB"},                              // the whole not counted yet
        {512, 0, 2 << 20, L"512 B  2.00 MB/s"},
        {5 << 20, 4 << 20, 1024, L"5.00 MB / 4.00 MB  100%  1.00 KB/s"},  // more than counted
    };
    for (const auto& r : lines) {
        SCOPED_TRACE(r.done);
        EXPECT_EQ(progressFigures(r.done, r.total, r.rate), r.line);
    }
    EXPECT_EQ(thousandths(1, 0), 0);
    EXPECT_EQ(thousandths(~0ull - 1, ~0ull), 999);
}

TEST(JobProgress, RateMeasuresTheLastSecondsAndWaitsForHalfASecond) {
    TransferRate rate;
    rate.add(1000, 0);
    rate.add(1400, 400);
    EXPECT_EQ(rate.bytesPerSecond(), 0u);  // 400 ms is too short to tell
    rate.add(1500, 500);
    EXPECT_EQ(rate.bytesPerSecond(), 1000u);
    // A long fast stretch, then a pause: after the window has passed only the pause counts.
    for (uint64_t ms = 1600; ms <= 10000; ms += 100) rate.add(ms, ms < 6000 ? ms * 1000 : 6000000);
    EXPECT_EQ(rate.bytesPerSecond(), 0u);
    // Going on after it: what came in the last three seconds (from 7,500 ms) over those seconds.
    rate.add(10500, 6500000);
    EXPECT_EQ(rate.bytesPerSecond(), 500000u * 1000 / 3000);
}
