#include "KeySettingsFile.h"
#include "keys/KeyAssignTable.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// The records the platform holds for a handle; empty once the handle is destroyed.
std::vector<ACCEL> recordsOf(HACCEL handle) {
    const int count = CopyAcceleratorTableW(handle, nullptr, 0);
    if (count <= 0) return {};
    std::vector<ACCEL> records(static_cast<size_t>(count));
    CopyAcceleratorTableW(handle, records.data(), count);
    return records;
}

bool sameRecord(const ACCEL& a, const ACCEL& b) { return a.fVirt == b.fVirt && a.key == b.key && a.cmd == b.cmd; }

}  // namespace

TEST(Accelerators, OneRecordPerBindingWithoutParameterInTableOrder) {
    KeySettingsFile file;
    file.write(L"[Key]\r\nDefaultAssign=Yes\r\n^C=NONE\r\n+%^F5=FILE_COPY\r\nA=MACRO,x\r\n");
    KeyAssignTable table;
    table.load();

    std::vector<ACCEL> expected;
    for (const KeyAssign& entry : table.entries())
        if (entry.parameter.empty())
            expected.push_back({entry.modifiers, entry.key, static_cast<WORD>(entry.command)});
    ASSERT_EQ(expected.size(), 70u - 9u + 2u);  // the nine NUM keys and A carry parameters; ^C=NONE counts

    ASSERT_NE(table.accelerators(), nullptr);
    const std::vector<ACCEL> records = recordsOf(table.accelerators());
    ASSERT_EQ(records.size(), expected.size());
    ASSERT_EQ(table.acceleratorEntries().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        // The platform may mark the last record; compare the meaningful flag bits only.
        ACCEL got = records[i];
        got.fVirt &= FVIRTKEY | FSHIFT | FCONTROL | FALT;
        EXPECT_TRUE(sameRecord(got, expected[i]));
        EXPECT_TRUE(sameRecord(table.acceleratorEntries()[i], expected[i]));
    }
}

TEST(Accelerators, NoTableWithoutABindingWithoutParameter) {
    KeyAssignTable table;
    table.buildAccelerators();
    EXPECT_EQ(table.accelerators(), nullptr);

    table.append({1, VK_NUMPAD1, ID_DRIVE_SELECT, L"a:", L""});
    table.append({1, 'X', ID_NONE, L"x", L""});
    table.buildAccelerators();
    EXPECT_EQ(table.accelerators(), nullptr);
    EXPECT_TRUE(table.acceleratorEntries().empty());
}

TEST(Accelerators, RebuildAndDestructionReleaseThePreviousTable) {
    HACCEL first = nullptr;
    {
        KeyAssignTable table;
        table.append({1, 'A', ID_FILE_COPY, L"", L""});
        table.buildAccelerators();
        first = table.accelerators();
        ASSERT_EQ(recordsOf(first).size(), 1u);

        table.append({1, 'B', ID_FILE_MOVE, L"", L""});
        table.buildAccelerators();
        EXPECT_EQ(recordsOf(table.accelerators()).size(), 2u);
        EXPECT_TRUE(recordsOf(first).empty());

        table.clear();
        table.buildAccelerators();
        EXPECT_EQ(table.accelerators(), nullptr);

        table.append({1, 'C', ID_FILE_DELETE, L"", L""});
        table.buildAccelerators();
        first = table.accelerators();
        ASSERT_EQ(recordsOf(first).size(), 1u);
    }
    EXPECT_TRUE(recordsOf(first).empty());
}
