#include "pane/DropEffect.h"
#include <gtest/gtest.h>

TEST(DropEffect, TheSourceAllowsTheChoiceACopyInsteadOfAMoveOrNothing) {
    constexpr DWORD kCopy = DROPEFFECT_COPY, kMove = DROPEFFECT_MOVE, kLink = DROPEFFECT_LINK, kNone = DROPEFFECT_NONE;
    const struct Row {
        const char* what;
        DWORD chosen, allowed, effect;
    } rows[] = {
        {"move, all allowed", kMove, kCopy | kMove | kLink, kMove},
        {"move, move only", kMove, kMove, kMove},
        {"move, copy only: copies", kMove, kCopy, kCopy},
        {"move, copy and link: copies", kMove, kCopy | kLink, kCopy},
        {"move, link only", kMove, kLink, kNone},
        {"move, nothing allowed", kMove, kNone, kNone},
        {"copy, all allowed", kCopy, kCopy | kMove | kLink, kCopy},
        {"copy, copy only", kCopy, kCopy, kCopy},
        {"copy, move only: never a move", kCopy, kMove, kNone},
        {"copy, nothing allowed", kCopy, kNone, kNone},
        {"nothing chosen", kNone, kCopy | kMove | kLink, kNone},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(effectAllowedBySource(r.chosen, r.allowed), r.effect);
    }
}
