#include "framework/Application.h"
#include "listing/PaneListing.h"
#include "support/ReadGate.h"
#include "support/SettingsFixture.h"
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <memory>

namespace {
class ProfileApp : public Application {
public:
    bool InitInstance() override { return true; }
};

// Records what the listing asks of its window.
class RecordingHost : public PaneHost {
public:
    std::wstring watched;
    int rearmed = 0, repaints = 0, headers = 0;
    std::vector<int> lines;
    LineRange screen{0, 1000};
    void watchFolder(const std::wstring& folder) override { watched = folder; }
    void rearmWatcher() override { ++rearmed; }
    void updateScrollRange() override {}
    void ensureCursorVisible(bool) override {}
    void repaintAll() override { ++repaints; }
    void redrawLines(std::span<const int> positions) override { lines.insert(lines.end(), positions.begin(), positions.end()); }
    LineRange linesOnScreen() const override { return screen; }
    void redrawHeader() override { ++headers; }
    // Counted in a block of its own: a note may come after the host is gone.
    std::shared_ptr<std::atomic<int>> notes = std::make_shared<std::atomic<int>>(0);
    FolderRead::DoneNote readDoneNote() override {
        return [notes = notes] { ++*notes; };
    }
};

// Polls `done` for up to five seconds; false (with `what` reported) when it never held.
bool waitFor(const std::function<bool()>& done, const char* what) {
    for (int waited = 0; waited < 5000; waited += 5) {
        if (done()) return true;
        Sleep(5);
    }
    ADD_FAILURE() << "still waiting for " << what;
    return false;
}

class PaneListingTest : public testing::Test {
protected:
    void SetUp() override {
        app.setProfilePath(dir / L"Vantor.ini");
        writeUtf16Ini(app.profilePath(), L"");
        listing.setSettingsFile(app.profilePath());
        dir.makeFolder(L"sub");
        folder = dir / L"sub";
        listing.setFolder(folder);
    }
    void file(const std::wstring& name, const std::string& bytes = "x") { dir.writeFile(L"sub\\" + name, bytes); }
    void rename(const std::wstring& from, const std::wstring& to) {
        MoveFileW((folder + L"\\" + from).c_str(), (folder + L"\\" + to).c_str());
    }
    int at(const std::wstring& name) const { return listing.index().findName(name, 0); }
    bool marked(const std::wstring& name) const {
        const FileEntry* e = listing.index().entryAt(at(name));
        EXPECT_NE(e, nullptr) << "no entry named " << std::string(name.begin(), name.end());
        return e && e->isMarked();
    }
    void mark(const std::wstring& name) { listing.list().setMark(listing.index().positionAt(at(name)), MarkMode::Mark); }
    // Waits for the read's note and shows its result.
    ReadOutcome finish() {
        waitFor([&] { return *host.notes > notesSeen; }, "the read's note");
        notesSeen = *host.notes;
        return listing.finishRead();
    }
    int notesSeen = 0;

    TempFolder dir;
    ProfileApp app;
    std::wstring folder;
    RecordingHost host;
    PaneListing listing{host, 1};
};
}  // namespace

TEST_F(PaneListingTest, RefreshKeepsMarksOfNamesThatStillExist) {
    file(L"keep.txt");
    file(L"Keep.TXT.bak");
    file(L"renamed.txt");
    listing.loadFolder();
    EXPECT_EQ(host.watched, folder);
    mark(L"keep.txt");
    mark(L"renamed.txt");

    rename(L"renamed.txt", L"other.txt");
    dir.makeFolder(L"sub\\newdir");
    listing.refresh();
    EXPECT_EQ(host.rearmed, 1);
    EXPECT_TRUE(marked(L"keep.txt"));
    EXPECT_FALSE(marked(L"Keep.TXT.bak"));
    EXPECT_FALSE(marked(L"other.txt"));
    EXPECT_EQ(listing.list().markedCount(), 1);
}

TEST_F(PaneListingTest, RefreshFollowsTheCursorEntryOrKeepsItsPlace) {
    for (auto n : {L"a", L"b", L"c", L"d"}) file(n);
    listing.applySort(1, 0);  // by name: "..", a, b, c, d
    listing.loadFolder();
    listing.setCursor(at(L"c"));
    file(L"0first");  // sorts before "a": the cursor entry moves down one line
    listing.refresh();
    EXPECT_EQ(listing.cursor(), at(L"c"));

    DeleteFileW((folder + L"\\c").c_str());
    const int before = listing.cursor();
    listing.refresh();
    EXPECT_EQ(listing.cursor(), before);  // name gone: same display position

    listing.setCursor(listing.count() - 1);
    for (auto n : {L"0first", L"a", L"b", L"d"}) DeleteFileW((folder + L"\\" + n).c_str());
    listing.refresh();
    EXPECT_EQ(listing.cursor(), listing.count() - 1);  // clamped to the new last line ("..")

    listing.setCursor(-1);
    file(L"new");
    listing.refresh();
    EXPECT_EQ(listing.cursor(), -1);  // no cursor stays without one
}

TEST_F(PaneListingTest, SortAndMaskAreStoredAtOnceInTheirOwnSection) {
    file(L"a.txt");
    file(L"b.log");
    listing.loadFolder();
    listing.setCursor(at(L"b.log"));
    listing.applySort(8, 0x10);
    EXPECT_EQ(app.getProfileString(L"View1", L"SortType"), L"0x8");
    EXPECT_EQ(app.getProfileString(L"View1", L"SortAttr"), L"0x10");
    EXPECT_EQ(listing.cursor(), at(L"b.log"));

    listing.setMask(L"*.txt");
    EXPECT_EQ(app.getProfileString(L"View1", L"WildCard"), L"*.txt");
    EXPECT_TRUE(listing.hasMask());
    EXPECT_EQ(at(L"b.log"), -1);

    PaneListing restored(host, 1);
    restored.setSettingsFile(app.profilePath());
    restored.loadViewSettings();
    EXPECT_EQ(restored.sortType(), 8);
    EXPECT_EQ(restored.groupMask(), 0x10u);
    EXPECT_EQ(restored.mask(), L"*.txt");

    listing.setMask(L"*.*");
    EXPECT_FALSE(listing.hasMask());
}

TEST_F(PaneListingTest, SortWithoutCursorLeavesThePaneWithoutOne) {
    file(L"a");
    listing.loadFolder();
    ASSERT_EQ(listing.cursor(), -1);
    listing.applySort(1, 0);
    EXPECT_EQ(listing.cursor(), -1);
}

TEST_F(PaneListingTest, MarkCommandsSkipParentAndFileOnlyOnesLeaveFolders) {
    file(L"f1", std::string(512, 'x'));
    file(L"f2", std::string(512, 'x'));
    dir.makeFolder(L"sub\\d");
    listing.loadFolder();
    mark(L"d");

    listing.markAllFiles(MarkMode::Toggle);
    EXPECT_TRUE(marked(L"d"));
    EXPECT_TRUE(marked(L"f1"));
    EXPECT_EQ(host.lines.size(), 2u);
    EXPECT_EQ(host.headers, 1);

    listing.markAll(MarkMode::Toggle);
    EXPECT_FALSE(marked(L"..") );
    EXPECT_FALSE(marked(L"d"));
    EXPECT_FALSE(marked(L"f2"));

    listing.markAll(MarkMode::Mark);
    EXPECT_FALSE(marked(L".."));
    EXPECT_EQ(listing.list().markedCount(), 3);
    listing.markAllFiles(MarkMode::Unmark);
    EXPECT_TRUE(marked(L"d"));
    EXPECT_EQ(listing.list().markedCount(), 1);
}

TEST_F(PaneListingTest, MarkingEveryEntryDrawsOnlyTheChangedLinesOnScreen) {
    for (int i = 0; i < 50; ++i) file(L"f" + std::to_wstring(i));
    listing.loadFolder();
    host.screen = {10, 19};
    const struct { MarkMode mode; int changed; size_t drawn; } rows[] = {
        {MarkMode::Mark, 50, 10}, {MarkMode::Mark, 0, 0}, {MarkMode::Toggle, 50, 10}, {MarkMode::Unmark, 0, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.mode));
        host.lines.clear();
        const int before = listing.list().markedCount();
        listing.markAll(r.mode);
        EXPECT_EQ(std::abs(listing.list().markedCount() - before), r.changed);
        EXPECT_EQ(host.lines.size(), r.drawn);
        for (int line : host.lines) EXPECT_TRUE(line >= 10 && line <= 19) << line;
    }
}

TEST_F(PaneListingTest, ASecondReadCancelsTheFirstAndOnlyItsListingShows) {
    file(L"first.txt");
    file(L"first2.txt");
    dir.makeFolder(L"other");
    dir.writeFile(L"other\\second.txt", "x");
    ReadGate gate;
    listing.setEntryHook(gate.hook());
    listing.startRead(true);
    ASSERT_TRUE(waitFor([&] { return gate.paused(); }, "the first read to pause"));
    EXPECT_TRUE(listing.readingNewFolder());
    EXPECT_EQ(listing.count(), 0);  // a folder just entered shows nothing until it is read

    listing.setFolder(dir / L"other");
    listing.setEntryHook({});
    listing.startRead(true, L"second.txt");
    EXPECT_EQ(finish(), ReadOutcome::Shown);
    gate.open();
    EXPECT_EQ(at(L"first.txt"), -1);
    ASSERT_GE(at(L"second.txt"), 0);
    EXPECT_EQ(listing.cursor(), at(L"second.txt"));
    EXPECT_FALSE(listing.reading());
    // The first read's late note finds nothing to show.
    waitFor([&] { return *host.notes >= 2; }, "the cancelled read's note");
    EXPECT_EQ(listing.finishRead(), ReadOutcome::NotDone);
    EXPECT_GE(at(L"second.txt"), 0);
}

TEST_F(PaneListingTest, AReReadOnTheWorkerKeepsMarksMadeBeforeAndDuringIt) {
    for (auto n : {L"a", L"b", L"c", L"d"}) file(n);
    listing.applySort(1, 0);
    listing.loadFolder();
    mark(L"b");
    listing.setCursor(at(L"c"));
    file(L"0first");  // sorts before "a": the cursor entry moves down one line
    ReadGate gate;
    listing.setEntryHook(gate.hook());
    listing.startRead(false);
    ASSERT_TRUE(waitFor([&] { return gate.paused(); }, "the re-read to pause"));
    EXPECT_FALSE(listing.readingNewFolder());
    EXPECT_EQ(listing.count(), 5);  // the old listing stays meanwhile, and takes marks
    mark(L"d");
    gate.open();
    EXPECT_EQ(finish(), ReadOutcome::Shown);
    EXPECT_EQ(listing.count(), 6);
    EXPECT_TRUE(marked(L"b"));
    EXPECT_TRUE(marked(L"d"));
    EXPECT_FALSE(marked(L"a"));
    EXPECT_EQ(listing.list().markedCount(), 2);
    EXPECT_EQ(listing.cursor(), at(L"c"));
}

TEST_F(PaneListingTest, AFolderThatCannotBeListedEndsItsReadUnreadable) {
    file(L"plain.txt");
    const struct { std::wstring folder; std::wstring mask; ReadOutcome outcome; } rows[] = {
        {folder, L"", ReadOutcome::Shown},
        {folder, L"*.none", ReadOutcome::Shown},  // nothing matches: an empty listing, not a failure
        {folder + L"\\missing", L"", ReadOutcome::Unreadable},
        {folder + L"\\plain.txt", L"", ReadOutcome::Unreadable},
        {folder + L"\\missing", L"*.txt", ReadOutcome::Unreadable},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.folder.begin(), r.folder.end()) + " " + std::string(r.mask.begin(), r.mask.end()));
        listing.setFolder(r.folder);
        listing.setMask(r.mask);
        listing.startRead(true);
        EXPECT_EQ(finish(), r.outcome);
        if (r.outcome == ReadOutcome::Unreadable) {
            EXPECT_EQ(listing.count(), 0);
        }
    }
}

// F5 or a new mask while a folder just entered is still read: the listing comes up as the first
// read would have shown it, the cursor on its name or else on the first line.
TEST_F(PaneListingTest, AReadReplacingAnUnfinishedFirstReadKeepsItsCursor) {
    for (auto n : {L"a.txt", L"b.log", L"c.txt"}) file(n);
    listing.applySort(1, 0);  // "..", a.txt, b.log, c.txt
    const struct { const wchar_t *firstName, *newMask, *cursor; } rows[] = {
        {L"", L"", L".."}, {L"c.txt", L"", L"c.txt"}, {L"c.txt", L"*.txt", L"c.txt"}, {L"b.log", L"*.txt", L".."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << std::wstring(r.firstName) << " " << std::wstring(r.newMask));
        ReadGate gate;
        listing.setEntryHook(gate.hook());
        listing.startRead(true, r.firstName);
        ASSERT_TRUE(waitFor([&] { return gate.paused(); }, "the first read to pause"));
        listing.setEntryHook({});
        listing.chooseMask(r.newMask);
        listing.startRead(false);
        EXPECT_EQ(finish(), ReadOutcome::Shown);
        EXPECT_EQ(listing.cursorEntry() ? listing.cursorEntry()->name() : L"no cursor", std::wstring(r.cursor));
        gate.open();
        EXPECT_EQ(finish(), ReadOutcome::NotDone);  // the replaced read's late note
        listing.chooseMask(L"");
    }
}

// Results come in batches and the ended search's listing shrinks to fit, which moves its entries:
// the display order must point at their new places, with the cursor kept on its entry.
TEST_F(PaneListingTest, ResultsShrunkAtTheEndAreShownFromTheirNewPlaces) {
    listing.beginResults(L"results");
    for (const wchar_t* name : {L"c.txt", L"a\\b.txt", L"d.txt"}) {
        WIN32_FIND_DATAW data{};
        FileList batch;
        batch.appendNamed(data, name);
        listing.addResults(std::move(batch));
    }
    listing.setCursor(listing.index().findName(L"c.txt", 0));
    listing.endResults();
    ASSERT_EQ(listing.count(), 3);
    for (int i = 0; i < listing.count(); ++i)
        EXPECT_EQ(listing.index().entryAt(i), &listing.list().at(listing.index().positionAt(i)));
    EXPECT_STREQ(listing.cursorEntry()->name(), L"c.txt");
}
