#include "fileops/FileJob.h"
#include "resource.h"
#include "support/FolderDialogDriver.h"
#include "support/ReadGate.h"
#include "support/RunningProgram.h"
#include "support/UiDriver.h"
#include <gtest/gtest.h>

namespace {
DWORD attributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

WIN32_FILE_ATTRIBUTE_DATA timesOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data;
}

uint64_t ticks(const FILETIME& time) { return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

int checkOf(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0)); }

// The left pane in a folder of three files and a folder; the right pane elsewhere.
class ItemCommand : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) src.writeFile(name, "abc");
        src.makeFolder(L"sub");
        src.writeFile(L"sub\\inner.txt", "i");
        ASSERT_TRUE(program.start(src.path()));
        program.pane(1).changeFolder(other.path(), false);
        program.settle();
    }
    void TearDown() override {
        // Read-only items would outlive the temp folder's clean-up.
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"sub\\inner.txt", L"sub"})
            SetFileAttributesW((src / name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    CVantorView& left() { return program.pane(0); }
    int at(const wchar_t* name) { return left().listing().index().findName(name, 0); }
    void mark(const wchar_t* name) {
        left().listing().list().setMark(left().listing().index().positionAt(at(name)), MarkMode::Mark);
    }
    void cursorOn(const wchar_t* name) { left().setCursor(at(name)); }
    // Runs a command whose window `title` is worked by `action`; false when that window never came.
    bool runWith(UINT id, const wchar_t* title, std::function<void(HWND)> action, int timeoutMs = 5000) {
        const int before = FileJob::liveCount();
        DialogAction act(title, std::move(action), timeoutMs);
        program.command(id);
        const bool ran = act.finish();
        for (int i = 0; i < 200 && FileJob::liveCount() != before; ++i) program.pump(50);
        EXPECT_EQ(FileJob::liveCount(), before);
        return ran;
    }

    TempFolder src, other;
    RunningProgram program;
};
}  // namespace

TEST_F(ItemCommand, DeleteAsksWithTheCountNoKeepsTheFilesYesRemovesReadOnlyTreesEvenFromDotDot) {
    mark(L"a.txt");
    mark(L"b.txt");
    mark(L"sub");
    std::wstring question;
    ASSERT_TRUE(runWith(ID_FILE_DELETE, L"Vantor", [&](HWND box) {
        question = staticTexts(box);
        clickButton(box, IDNO);
    }));
    EXPECT_NE(question.find(L"3個のファイルを削除してもよろしいですか?"), std::wstring::npos) << question;
    EXPECT_TRUE(fileExists(src / L"a.txt"));
    EXPECT_EQ(left().listing().list().markedCount(), 0);

    // Marked entries go even with the cursor on "..", read-only ones and whole folders too.
    SetFileAttributesW((src / L"sub\\inner.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW((src / L"a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    mark(L"a.txt");
    mark(L"sub");
    cursorOn(L"..");
    ASSERT_TRUE(runWith(ID_FILE_DELETE, L"Vantor", [](HWND box) { clickButton(box, IDYES); }));
    EXPECT_FALSE(fileExists(src / L"a.txt"));
    EXPECT_EQ(attributesOf(src / L"sub"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(fileExists(src / L"b.txt"));
}

TEST_F(ItemCommand, AttributeDialogStartsFromTheSelectionAndAppliesOnlyDecidedBoxes) {
    SetFileAttributesW((src / L"a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW((src / L"b.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    left().listing().refresh();
    const DWORD readOnly = attributesOf(src / L"a.txt");  // the platform may add archive
    cursorOn(L"a.txt");
    std::vector<int> shown;
    ASSERT_TRUE(runWith(ID_FILE_ATTRIBUTES, L"属性の変更", [&](HWND dialog) {
        for (int id : {IDC_ATTRIBUTE_READONLY, IDC_ATTRIBUTE_HIDDEN, IDC_ATTRIBUTE_SYSTEM, IDC_ATTRIBUTE_ARCHIVE})
            shown.push_back(checkOf(dialog, id));
        shown.push_back(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_RECURSE)));
        clickButton(dialog, IDOK);
    }));
    const int archived = (readOnly & FILE_ATTRIBUTE_ARCHIVE) ? BST_CHECKED : 0;
    EXPECT_EQ(shown, (std::vector<int>{BST_CHECKED, 0, 0, archived, FALSE}));
    EXPECT_EQ(attributesOf(src / L"a.txt"), readOnly);

    // Two entries start undecided; setting archive only adds archive to each.
    mark(L"a.txt");
    mark(L"b.txt");
    shown.clear();
    ASSERT_TRUE(runWith(ID_FILE_ATTRIBUTES, L"属性の変更", [&](HWND dialog) {
        shown.push_back(checkOf(dialog, IDC_ATTRIBUTE_HIDDEN));
        SendDlgItemMessageW(dialog, IDC_ATTRIBUTE_ARCHIVE, BM_SETCHECK, BST_CHECKED, 0);
        clickButton(dialog, IDOK);
    }));
    EXPECT_EQ(shown, std::vector<int>{BST_INDETERMINATE});
    EXPECT_EQ(attributesOf(src / L"a.txt") & 0x27, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(attributesOf(src / L"b.txt") & 0x27, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(left().listing().list().markedCount(), 0);

    // Recursing into a folder: the box turns every attribute undecided; hiding reaches the inside.
    cursorOn(L"sub");
    ASSERT_TRUE(runWith(ID_FILE_ATTRIBUTES, L"属性の変更", [&](HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_ATTRIBUTE_ARCHIVE, BM_SETCHECK, BST_CHECKED, 0);
        SendDlgItemMessageW(dialog, IDC_ITEM_RECURSE, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_RECURSE, BN_CLICKED), 0);
        shown = {checkOf(dialog, IDC_ATTRIBUTE_ARCHIVE)};
        SendDlgItemMessageW(dialog, IDC_ATTRIBUTE_HIDDEN, BM_SETCHECK, BST_CHECKED, 0);
        clickButton(dialog, IDOK);
    }));
    EXPECT_EQ(shown, std::vector<int>{BST_INDETERMINATE});
    EXPECT_TRUE(attributesOf(src / L"sub\\inner.txt") & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributesOf(src / L"sub") & FILE_ATTRIBUTE_HIDDEN);

    // On ".." nothing opens, whatever is marked.
    mark(L"c.txt");
    cursorOn(L"..");
    EXPECT_FALSE(runWith(ID_FILE_ATTRIBUTES, L"属性の変更", [](HWND d) { clickButton(d, IDOK); }, 600));
    EXPECT_FALSE(runWith(ID_FILE_TIMESTAMP, L"日時の変更", [](HWND d) { clickButton(d, IDOK); }, 600));
    EXPECT_EQ(left().listing().list().markedCount(), 1);
}

TEST_F(ItemCommand, TimestampDialogAppliesCheckedRowsOnlyAndRefusesAnImpossibleDate) {
    const WIN32_FILE_ATTRIBUTE_DATA before = timesOf(src / L"sub");
    mark(L"a.txt");
    mark(L"sub");
    cursorOn(L"sub");
    std::wstring year, refusal;
    bool stayedOpen = false;
    const DWORD uiThread = GetCurrentThreadId();
    ASSERT_TRUE(runWith(ID_FILE_TIMESTAMP, L"日時の変更", [&](HWND dialog) {
        year = windowText(GetDlgItem(dialog, IDC_TIME_WRITE + 1));
        // Only the last-write row is checked at first; month 13 there is refused.
        SetDlgItemTextW(dialog, IDC_TIME_WRITE + 1, L"2001");
        SetDlgItemTextW(dialog, IDC_TIME_WRITE + 2, L"13");
        SetDlgItemTextW(dialog, IDC_TIME_ACCESS + 1, L"1999");  // unchecked: never looked at
        clickButton(dialog, IDOK);
        refusal = answerMessageBox(uiThread, IDOK).text;
        Sleep(200);
        stayedOpen = IsWindowVisible(dialog);
        SetDlgItemTextW(dialog, IDC_TIME_WRITE + 2, L"2");
        SetDlgItemTextW(dialog, IDC_TIME_WRITE + 3, L"3");
        clickButton(dialog, IDOK);
    }));
    EXPECT_EQ(std::stoi(year), [&] {
        FILETIME local;
        SYSTEMTIME calendar;
        FileTimeToLocalFileTime(&before.ftLastWriteTime, &local);
        FileTimeToSystemTime(&local, &calendar);
        return int{calendar.wYear};
    }());
    EXPECT_NE(refusal.find(L"更新日時"), std::wstring::npos);
    EXPECT_TRUE(stayedOpen);
    for (const wchar_t* name : {L"a.txt", L"sub"}) {
        SCOPED_TRACE(name);
        const WIN32_FILE_ATTRIBUTE_DATA after = timesOf(src / name);
        SYSTEMTIME written;
        FILETIME local;
        FileTimeToLocalFileTime(&after.ftLastWriteTime, &local);
        FileTimeToSystemTime(&local, &written);
        EXPECT_EQ(written.wYear * 10000 + written.wMonth * 100 + written.wDay, 20010203);
    }
    EXPECT_EQ(ticks(timesOf(src / L"sub").ftLastAccessTime), ticks(before.ftLastAccessTime));
}

TEST_F(ItemCommand, RenameAndCreateChangeNothingOnBadNamesAndPutTheCursorOnTheName) {
    cursorOn(L"a.txt");
    // A name that would leave the folder is refused on the open input; one the platform refuses
    // brings its reason and the input back with the typed name. Nothing moves either way.
    const struct { const wchar_t* typed; const wchar_t* said; bool sameWindow; } refused[] = {
        {L"..\\x.txt", L"区切り文字", true}, {L"sub\\x.txt", L"区切り文字", true},
        {L"sub/y.txt", L"区切り文字", true},  {L"x:y", L"区切り文字", true},
        {L"b.txt", nullptr, false},           {L"", nullptr, true},
    };
    const DWORD ui = GetCurrentThreadId();
    for (const auto& r : refused) {
        SCOPED_TRACE(testing::Message() << "typed " << static_cast<int>(wcslen(r.typed)) << " characters");
        std::wstring said, offeredAgain;
        bool sameWindow = false;
        ASSERT_TRUE(runWith(ID_FILE_RENAME, L"名前の変更", [&](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_INPUT_EDIT, r.typed);
            clickButton(dialog, IDOK);
            if (!*r.typed) return;  // an empty name closes the input and changes nothing
            HWND box = waitForWindow(ui, L"Vantor", 5000);
            said = staticTexts(box);
            clickButton(box, IDOK);
            while (IsWindow(box)) Sleep(10);
            sameWindow = IsWindow(dialog) != FALSE;
            HWND input = sameWindow ? dialog : waitForWindow(ui, L"名前の変更", 5000);
            offeredAgain = windowText(GetDlgItem(input, IDC_INPUT_EDIT));
            clickButton(input, IDCANCEL);
        }));
        if (*r.typed) {
            EXPECT_EQ(sameWindow, r.sameWindow);
            EXPECT_EQ(offeredAgain, r.typed);
            if (r.said) EXPECT_NE(said.find(r.said), std::wstring::npos) << "the refusal says why";
            else EXPECT_NE(said.find(L"183"), std::wstring::npos) << "the platform's reason for a taken name";
        }
        EXPECT_EQ(readFileBytes(src / L"a.txt"), "abc");
        EXPECT_EQ(readFileBytes(src / L"b.txt"), "abc");
        EXPECT_FALSE(fileExists(src / L"x.txt"));
        EXPECT_FALSE(fileExists(src / L"sub\\x.txt"));
    }
    ASSERT_TRUE(runWith(ID_FILE_RENAME, L"名前の変更", [&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_INPUT_EDIT, L"renamed.txt");
        clickButton(dialog, IDOK);
    }));
    EXPECT_TRUE(fileExists(src / L"renamed.txt"));

    const struct { UINT id; const wchar_t* title; const wchar_t* name; } rows[] = {
        {ID_TOOL_MKDIR, L"新規フォルダ作成", L"abc"},
        {ID_TOOL_NEWFILE, L"新規ファイル作成", L"new.txt"},
        {ID_TOOL_NEWFILE, L"新規ファイル作成", L"c.txt"},  // exists: left as it is
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        cursorOn(L"..");
        ASSERT_TRUE(runWith(r.id, r.title, [&](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_INPUT_EDIT, r.name);
            clickButton(dialog, IDOK);
        }));
        const FileEntry* cursor = left().listing().cursorEntry();
        ASSERT_NE(cursor, nullptr);
        EXPECT_EQ(cursor->name(), std::wstring(r.name));
    }
    EXPECT_TRUE(attributesOf(src / L"abc") & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(readFileBytes(src / L"new.txt"), "");
    EXPECT_EQ(readFileBytes(src / L"c.txt"), "abc");
}

// What the pane itself makes, renames or deletes shows at once with the cursor on it, while no
// re-read can end: the next key acts on the item drawn, not on the old cursor entry.
TEST_F(ItemCommand, ItsOwnNewRenamedAndDeletedItemsShowAtOnceWhileEveryReReadIsHeld) {
    left().listing().applySort(1, 0);  // "..", a.txt, b.txt, c.txt, sub
    ReadGate gate(1, ReadGate::kEveryRead);
    left().listing().setEntryHook(gate.hook());
    program.settleWithout(0);
    const struct { UINT id; const wchar_t *title, *typed, *from, *cursor; } rows[] = {
        {ID_TOOL_MKDIR, L"新規フォルダ作成", L"made", L"..", L"made"},
        {ID_TOOL_NEWFILE, L"新規ファイル作成", L"C.TXT", L"..", L"c.txt"},  // there in another case: kept
        {ID_FILE_RENAME, L"名前の変更", L"z.txt", L"a.txt", L"z.txt"},
        {ID_FILE_DELETE, L"Vantor", nullptr, L"b.txt", L"c.txt"},  // the next line left below it
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.cursor);
        cursorOn(r.from);
        ASSERT_TRUE(runWith(r.id, r.title, [&](HWND window) {
            if (r.typed) SetDlgItemTextW(window, IDC_INPUT_EDIT, r.typed);
            clickButton(window, r.typed ? IDOK : IDYES);
        }));
        if (!r.typed) {
            EXPECT_TRUE(program.pumpUntil([&] { return at(r.from) < 0; })) << "still listed";
        }
        ASSERT_NE(left().listing().cursorEntry(), nullptr);
        EXPECT_EQ(std::wstring(left().listing().cursorEntry()->name()), r.cursor);
        EXPECT_TRUE(left().listing().reading()) << "a re-read ended: the row proves nothing";
    }
    EXPECT_LT(at(L"a.txt"), 0);
    left().listing().setEntryHook({});
    gate.open();
    program.settleWithout(-1);
    program.settle();
    EXPECT_EQ(std::wstring(left().listing().cursorEntry()->name()), L"c.txt");  // the re-read only confirms
}

TEST_F(ItemCommand, ShortcutIsProposedInTheOtherPanesFolderAndSavedThere) {
    cursorOn(L"a.txt");
    std::wstring proposed;
    ASSERT_TRUE(runWith(ID_TOOL_SHORTCUT, L"名前を付けて保存|Save As", [&](HWND dialog) {
        constexpr int kFileNameField = 0x47c;
        proposed = windowText(GetDlgItem(dialog, kFileNameField));
        clickButton(dialog, IDOK);
    }));
    EXPECT_EQ(proposed, L"a.lnk");
    EXPECT_TRUE(fileExists(other / L"a.lnk"));
}

TEST_F(ItemCommand, ADisguisedNameIsShownWithItsMarkerWhileRenameAndDeleteActOnTheRealItem) {
    // Drawn as it is, this name would read "reportexe.pdf".
    const std::wstring disguised = L"report\u202Efdp.exe", renamed = L"still\u202Efdp.exe";
    src.writeFile(disguised, "x");
    src.makeFolder(L"in\u202Esredlof");
    left().listing().refresh();

    // The rename input offers the real name to edit, and the real item takes the new one.
    cursorOn(disguised.c_str());
    std::wstring offered;
    ASSERT_TRUE(runWith(ID_FILE_RENAME, L"名前の変更", [&](HWND dialog) {
        offered = windowText(GetDlgItem(dialog, IDC_INPUT_EDIT));
        SetDlgItemTextW(dialog, IDC_INPUT_EDIT, renamed.c_str());
        clickButton(dialog, IDOK);
    }));
    EXPECT_EQ(offered, disguised);
    EXPECT_TRUE(fileExists(src / renamed));
    EXPECT_FALSE(fileExists(src / disguised));

    // The delete question names the item with its marker; the real item goes, and only it.
    left().listing().refresh();
    cursorOn(renamed.c_str());
    std::wstring question;
    ASSERT_TRUE(runWith(ID_FILE_DELETE, L"Vantor", [&](HWND box) {
        question = staticTexts(box);
        clickButton(box, IDYES);
    }));
    EXPECT_NE(question.find(L"1個のファイルを削除してもよろしいですか?"), std::wstring::npos) << question;
    EXPECT_NE(question.find(L"「still<U+202E>fdp.exe」"), std::wstring::npos) << question;
    EXPECT_FALSE(fileExists(src / renamed));
    EXPECT_TRUE(fileExists(src / L"a.txt"));

    // The caption shows a folder the same way.
    left().changeFolder(src / L"in\u202Esredlof", false);
    program.settle();
    const std::wstring caption = windowText(program.frameWindow());
    EXPECT_NE(caption.find(L"in<U+202E>sredlof"), std::wstring::npos) << caption;
}
