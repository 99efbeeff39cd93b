#include "fileops/AttributeChoice.h"
#include "fileops/ShellLink.h"
#include "fileops/TimestampFields.h"
#include "fileops/TransferRules.h"
#include "framework/Handles.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <shlobj.h>

// The dialog test shows the starting boxes; here, what the masks write on items it does not reach.
TEST(AttributeChoice, DecidedBoxesReplaceTheirBitsAndOnlySettableBitsAreWritten) {
    constexpr DWORD RO = FILE_ATTRIBUTE_READONLY, H = FILE_ATTRIBUTE_HIDDEN, S = FILE_ATTRIBUTE_SYSTEM,
                    A = FILE_ATTRIBUTE_ARCHIVE, D = FILE_ATTRIBUTE_DIRECTORY;
    const struct { AttributeBoxes boxes; DWORD current, after; } rows[] = {
        {{1, 2, 0, 2}, S | H | A, RO | H | A},            // set, keep, clear, keep
        {initialBoxes(RO | A | D, false), RO | A | D, RO | A},  // never the folder bit
        {{0, 0, 0, 0}, A, FILE_ATTRIBUTE_NORMAL},           // nothing left is "normal", never 0
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.current);
        EXPECT_EQ(applyMasks(r.current, masksOf(r.boxes)), r.after);
    }
}

TEST(TimestampFields, OnlyRealDatesConvertAndTheyComeBackAsTyped) {
    const struct { TimeFields fields; int bad; } rows[] = {
        {{2024, 2, 29, 23, 59, 59}, -1}, {{2023, 2, 29, 0, 0, 0}, 2}, {{2026, 13, 1, 0, 0, 0}, 1},
        {{1600, 1, 1, 0, 0, 0}, 0},      {{2026, 4, 31, 0, 0, 0}, 2}, {{2026, 1, 1, 24, 0, 0}, 3},
        {{2026, 1, 1, 0, 60, 0}, 4},     {{2026, 1, 1, 0, 0, -1}, 5}, {{1900, 2, 29, 0, 0, 0}, 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.fields[0] * 100 + r.fields[1]);
        EXPECT_EQ(invalidField(r.fields), r.bad);
        const std::optional<FILETIME> utc = utcTimeOf(r.fields);
        ASSERT_EQ(utc.has_value(), r.bad < 0);
        if (utc) {
            EXPECT_EQ(localFieldsOf(*utc), r.fields);
        }
    }
}

TEST(ShellLink, ProposedNamesAndALinkThatLeadsToItsTarget) {
    const struct { const wchar_t* entry; const wchar_t* link; } rows[] = {
        {L"report.txt", L"report.lnk"}, {L".profile", L".profile.lnk"}, {L"data", L"data.lnk"},
        {L"a.b.c", L"a.b.lnk"},
    };
    for (const auto& r : rows) EXPECT_EQ(shortcutFileName(r.entry), r.link) << r.entry;

    CoInitialize(nullptr);
    TempFolder folder;
    folder.writeFile(L"report.txt", "r");
    ASSERT_TRUE(createShortcut(folder / L"report.lnk", folder / L"report.txt"));
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.putVoid()));
    ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.putVoid()));
    ASSERT_HRESULT_SUCCEEDED(file->Load((folder / L"report.lnk").c_str(), STGM_READ));
    wchar_t target[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, 0);
    EXPECT_EQ(_wcsicmp(target, (folder / L"report.txt").c_str()), 0) << target;
    // A folder that does not exist cannot take the link.
    EXPECT_FALSE(createShortcut(folder / L"missing\\x.lnk", folder / L"report.txt"));
    file.reset();
    link.reset();
    CoUninitialize();
}

// "Only newer" in UTC and whole seconds, with FAT's 2-second steps; FAT holds no file of 4 GiB.
TEST(TransferRules, OnlyNewerAndWhatAFileSystemHolds) {
    const auto at = [](uint64_t ticks) { return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; };
    constexpr uint64_t base = 133000000000000000ull, second = 10000000;
    const struct {
        const char* what;
        uint64_t source, target;
        bool coarse, left;
    } rows[] = {
        {"older by a second", base, base + second, false, true},
        {"older by a fraction within the same second", base + 1, base + 2, false, false},
        {"equal times transfer", base, base, false, false},
        {"newer", base + second, base, false, false},
        {"on FAT, 2 seconds newer is FAT's rounding", base + 2 * second, base, true, true},
        {"on FAT, 3 seconds newer", base + 3 * second, base, true, false},
        {"on FAT, older", base, base + 5 * second, true, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(leftAsNotNewer(at(r.source), at(r.target), r.coarse), r.left);
    }
    EXPECT_TRUE(hasTwoSecondTimes(L"FAT") && !hasTwoSecondTimes(L"exFAT"));
    EXPECT_TRUE(largestFileOn(L"FAT32") == 0xFFFFFFFFull && largestFileOn(L"NTFS") == UINT64_MAX);
}
