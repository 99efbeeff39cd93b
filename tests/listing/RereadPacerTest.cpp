#include "listing/RereadPacer.h"
#include <gtest/gtest.h>
#include <optional>
#include <vector>

// Each row is a run of events on one pane; `delay` is what the pacer answers (-1: nothing).
TEST(RereadPacer, QueuesOneReReadBehindAReadAndSpacesThemByTheLastReadsTime) {
    enum Kind { Change, Ended, Passed };
    struct Event { Kind kind; uint64_t now; bool reading; uint32_t took; int delay; };
    const struct { const char* name; std::vector<Event> events; } rows[] = {
        {"a change with nothing read yet starts a read at once", {{Change, 1000, false, 0, 0}}},
        {"changes during a read queue one re-read, started after as long as the read took",
         {{Change, 1000, true, 0, -1}, {Change, 1010, true, 0, -1}, {Ended, 1300, false, 300, 300}}},
        {"a read with nothing queued asks for nothing", {{Ended, 500, false, 40, -1}}},
        {"a change soon after a read waits out the rest of its time",
         {{Ended, 1000, false, 200, -1}, {Change, 1050, false, 0, 150}, {Change, 1100, false, 0, -1},
          {Passed, 1200, false, 0, -1}, {Change, 1400, false, 0, 0}}},
        {"a change long after a read starts at once", {{Ended, 1000, false, 200, -1}, {Change, 1200, false, 0, 0}}},
        {"a quick read's queued re-read starts at once", {{Change, 10, true, 0, -1}, {Ended, 10, false, 0, 0}}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        RereadPacer pacer;
        for (size_t i = 0; i < r.events.size(); ++i) {
            SCOPED_TRACE(i);
            const Event& e = r.events[i];
            std::optional<uint32_t> answer;
            if (e.kind == Change) answer = pacer.noteChange(e.now, e.reading);
            else if (e.kind == Ended) answer = pacer.readEnded(e.now, e.took);
            else pacer.delayPassed();
            EXPECT_EQ(answer ? static_cast<int>(*answer) : -1, e.delay);
        }
    }
}

TEST(RereadPacer, AReadTheUserAsksForReplacesTheQueuedOne) {
    RereadPacer pacer;
    pacer.noteChange(0, true);
    EXPECT_TRUE(pacer.waiting());
    pacer.forget();
    EXPECT_FALSE(pacer.waiting());
    EXPECT_EQ(pacer.readEnded(100, 100), std::nullopt);
}
