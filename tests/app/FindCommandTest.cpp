#include "fileops/FileJob.h"
#include "support/FileLinks.h"
#include "support/RunningProgram.h"
#include "support/UiDriver.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <set>

// The results of a search are a listing the usual commands act on: copied into the other pane,
// then deleted, with the files checked on disk, and Backspace back to the folder searched.
TEST(FindCommand, ResultsFromTheDialogAreCopiedAndDeletedAsAnyListing) {
    TempFolder src, dst, beyond;
    src.makeFolder(L"sub");
    src.writeFile(L"a.txt", "alpha");
    src.writeFile(L"sub\\b.txt", "bravo");
    src.writeFile(L"sub\\keep.md", "canary");
    beyond.writeFile(L"behind.txt", "canary behind the link");
    const bool linked = makeLink(src / L"link", beyond.path());
    RunningProgram program;
    ASSERT_TRUE(program.start(src.path()));
    program.pane(1).changeFolder(dst.path(), false);
    program.settle();
    CVantorView& pane = program.pane(0);

    DialogAction fill(L"検索", [](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_FIND_MASK, L"*.txt");
        clickButton(dialog, IDOK);
    });
    program.command(ID_TOOL_FIND);
    ASSERT_TRUE(fill.finish());
    ASSERT_TRUE(program.pumpUntil([&] { return !pane.searching(); }));
    program.settle();
    std::set<std::wstring> shown;
    for (int i = 0; i < pane.listing().count(); ++i) shown.insert(pane.listing().index().entryAt(i)->name());
    EXPECT_EQ(shown, (std::set<std::wstring>{L"a.txt", L"sub\\b.txt"}));
    EXPECT_TRUE(pane.listing().showsResults());

    const auto run = [&](UINT id) {
        const int before = FileJob::liveCount();
        program.command(id);
        return program.pumpUntil([&] { return FileJob::liveCount() == before; }, 10000);
    };
    pane.listing().markAll(MarkMode::Mark);
    ASSERT_TRUE(run(ID_FILE_COPY));
    EXPECT_EQ(readFileBytes(dst / L"a.txt"), "alpha");
    EXPECT_EQ(readFileBytes(dst / L"b.txt"), "bravo");

    pane.listing().markAll(MarkMode::Mark);
    DialogAction yes(L"Vantor", [](HWND box) { clickButton(box, IDYES); });
    ASSERT_TRUE(run(ID_FILE_DELETE));
    ASSERT_TRUE(yes.finish());
    EXPECT_FALSE(fileExists(src / L"a.txt"));
    EXPECT_FALSE(fileExists(src / L"sub\\b.txt"));
    EXPECT_EQ(readFileBytes(src / L"sub\\keep.md"), "canary");
    EXPECT_EQ(readFileBytes(beyond / L"behind.txt"), "canary behind the link");
    ASSERT_TRUE(program.pumpUntil([&] { return pane.listing().count() == 0; }));

    program.command(ID_DIR_PARENT);
    program.settle();
    EXPECT_FALSE(pane.listing().showsResults());
    EXPECT_EQ(pane.folder(), src.path());
    EXPECT_GE(pane.listing().index().findName(L"sub", 0), 0);
    if (linked) removeLink(src / L"link");
}
