#include "keys/KeyAssign.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {

KeyAssign binding(std::uint8_t modifiers, std::uint16_t key, unsigned command) {
    return {modifiers, key, command, L"", L""};
}

std::vector<unsigned> commandsOf(const KeyAssignList& list) {
    std::vector<unsigned> commands;
    for (const KeyAssign& entry : list.entries()) commands.push_back(entry.command);
    return commands;
}

}  // namespace

TEST(KeyAssignList, FindMatchesTheExactModifiersByteAndTheFirstEntry) {
    KeyAssignList list;
    list.append(binding(0x05, 'A', ID_FILE_COPY));   // Shift
    list.append(binding(0x01, 'A', ID_FILE_MOVE));
    list.append(binding(0x01, 'A', ID_FILE_DELETE));  // shadowed by the one before
    list.append(binding(0x08, 'B', ID_FILE_EDIT));   // no virtual-key bit
    list.append(binding(0x0D, 'C', ID_FILE_VIEW));   // Shift+Ctrl

    const struct { std::uint8_t modifiers; std::uint16_t key; int index; } rows[] = {
        {0x05, 'A', 0}, {0x01, 'A', 1}, {0x04, 'A', -1}, {0x09, 'A', -1}, {0x00, 'A', -1},
        {0x08, 'B', 3}, {0x09, 'B', -1}, {0x0D, 'C', 4}, {0x05, 'C', -1}, {0x09, 'C', -1},
        {0x01, 'Z', -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.modifiers) << " " << char(r.key));
        EXPECT_EQ(list.find(r.modifiers, r.key), r.index);
    }
}

TEST(KeyAssignList, EditsKeepOrderAndIgnoreIndexesOutsideTheList) {
    KeyAssignList list;
    for (unsigned command : {1u, 2u, 3u, 4u}) list.append(binding(1, 'A', command));

    list.exchangeWithNext(1);
    EXPECT_EQ(commandsOf(list), (std::vector<unsigned>{1, 3, 2, 4}));
    list.exchangeWithNext(3);  // no next entry
    list.exchangeWithNext(-1);
    EXPECT_EQ(commandsOf(list), (std::vector<unsigned>{1, 3, 2, 4}));

    list.removeAt(0);
    EXPECT_EQ(commandsOf(list), (std::vector<unsigned>{3, 2, 4}));
    list.removeAt(3);
    list.removeAt(-1);
    EXPECT_EQ(list.count(), 3);

    list.resize(5);
    EXPECT_EQ(commandsOf(list), (std::vector<unsigned>{3, 2, 4, 0, 0}));
    EXPECT_EQ(list.at(4), KeyAssign{});
    list.resize(1);
    EXPECT_EQ(commandsOf(list), (std::vector<unsigned>{3}));
    list.resize(-2);
    EXPECT_EQ(list.count(), 0);
}
