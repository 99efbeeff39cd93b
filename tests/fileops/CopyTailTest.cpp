// The tail finishes one copy at a time on its own thread and gives each result back exactly once.
#include "fileops/CopyTail.h"
#include <gtest/gtest.h>
#include <atomic>

TEST(CopyTail, EachCopyHandedOverIsGivenBackOnceWithItsResultAndTheLastOneBeforeTheEnd) {
    std::atomic<int> finished{0};
    {
        CopyTail tail;
        EXPECT_FALSE(tail.settle().has_value());  // nothing in hand yet
        const struct { const wchar_t* source; DWORD error; } rows[] = {
            {L"a", 0}, {L"b", ERROR_DISK_FULL}, {L"c", ERROR_REQUEST_ABORTED}};
        for (const auto& row : rows) {
            const DWORD threadOfHandOver = GetCurrentThreadId();
            tail.handOver(row.source, [&, row, threadOfHandOver] {
                EXPECT_NE(GetCurrentThreadId(), threadOfHandOver);
                ++finished;
                return row.error;
            });
            const std::optional<CopyTail::Ended> ended = tail.settle();
            ASSERT_TRUE(ended.has_value()) << row.source;
            EXPECT_EQ(ended->source, row.source);
            EXPECT_EQ(ended->error, row.error);
            EXPECT_FALSE(tail.settle().has_value()) << "given back twice";
        }
        // One left in hand when the tail goes is still finished.
        tail.handOver(L"d", [&] {
            Sleep(50);
            ++finished;
            return DWORD{0};
        });
    }
    EXPECT_EQ(finished, 4);
}
