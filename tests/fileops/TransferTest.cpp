#include "fileops/FileJob.h"
#include "fileops/JobLink.h"
#include "fileops/ProgressDialog.h"
#include "fileops/TransferJob.h"
#include "resource.h"
#include "support/TempFolder.h"
#include "support/UiDriver.h"
#include "JobDriver.h"
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace {
void setWriteTime(const std::wstring& path, uint64_t time) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const FILETIME ft{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    SetFileTime(file, nullptr, nullptr, &ft);
    CloseHandle(file);
}

// The identity of a file or folder on its volume: unchanged by a rename, new for a copy.
uint64_t fileIndex(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
}

// How a job's progress dialog ended: kept outside the dialog, so that its handler can still write
// here when the dialog has been deleted under it.
struct DialogEnd {
    int handlersRunning = 0;
    bool deleted = false;
    bool deletedInsideHandler = false;
};

// A progress dialog that notes whether it was deleted while it was handling a worker's note.
class WatchedProgressDialog : public ProgressDialog {
public:
    WatchedProgressDialog(JobLink& link, DialogEnd& end) : ProgressDialog(link, IDD_TRANSFER_PROGRESS), end_(end) {}
    ~WatchedProgressDialog() override {
        end_.deleted = true;
        end_.deletedInsideHandler = end_.handlersRunning > 0;
    }

protected:
    const MessageMap* messageMap() const override {
        static const MessageEntry entries[] = {
            onMessage<WM_OPERATION_PROGRESS, &WatchedProgressDialog::onWatchedProgress>(),
        };
        static const MessageMap map{ProgressDialog::messageMap(), entries};
        return &map;
    }
    LRESULT onWatchedProgress(WPARAM wParam, LPARAM lParam) {
        DialogEnd& end = end_;
        ++end.handlersRunning;
        const LRESULT result = onProgress(wParam, lParam);
        --end.handlersRunning;
        return result;
    }

private:
    DialogEnd& end_;
};

class WatchedTransferJob : public TransferJob {
public:
    explicit WatchedTransferJob(DialogEnd& end) : end_(end) {}

protected:
    ProgressDialog* createDialog() override { return new WatchedProgressDialog(link(), end_); }

private:
    DialogEnd& end_;
};

constexpr uint64_t kDay = 864000000000ULL;
constexpr uint64_t k2020 = 132223104000000000ULL;
}  // namespace

TEST(Transfer, CopiesFilesAndFoldersWithTheirContents) {
    TempFolder src, dst;
    src.writeFile(L"a.txt", "a");
    src.makeFolder(L"tree");
    src.makeFolder(L"tree\\deep");
    src.writeFile(L"tree\\deep\\leaf.txt", "leaf");
    JobReport report;
    ASSERT_TRUE(transfer({src / L"a.txt", src / L"tree", src / L"missing"}, dst.path(), false));
    // The one item passed over is told at the end, with where it was.
    const std::wstring said = report.finish();
    EXPECT_NE(said.find(L"1 個の項目を処理できませんでした"), std::wstring::npos);
    EXPECT_NE(said.find(src / L"missing"), std::wstring::npos);
    EXPECT_EQ(readFileBytes(dst / L"a.txt"), "a");
    EXPECT_EQ(readFileBytes(dst / L"tree\\deep\\leaf.txt"), "leaf");
    EXPECT_TRUE(fileExists(src / L"tree\\deep\\leaf.txt"));
}

TEST(Transfer, MoveRenamesWithinAVolumeAndCopiesThenRemovesAcrossVolumes) {
    TempFolder src, dst;
    src.makeFolder(L"tree");
    src.writeFile(L"tree\\leaf.txt", "leaf");
    const uint64_t identity = fileIndex(src / L"tree");
    ASSERT_TRUE(transfer({src / L"tree"}, dst.path(), true));
    EXPECT_FALSE(fileExists(src / L"tree"));
    EXPECT_EQ(fileIndex(dst / L"tree"), identity);  // the same folder, renamed in one step

    // Drive Z: is another volume by its root prefix than the tests' drive.
    const TempFolder otherVolume(otherDriveTestRoot());
    const std::wstring other = otherVolume.path();
    ASSERT_NE(dst.path().substr(0, 2), L"Z:");
    ASSERT_EQ(other.substr(0, 2), L"Z:");
    ASSERT_TRUE(transfer({dst / L"tree"}, other, true));
    EXPECT_FALSE(fileExists(dst / L"tree"));
    EXPECT_EQ(readFileBytes(other + L"\\tree\\leaf.txt"), "leaf");

    // A file that cannot be moved (another program holds it open) keeps its source folder, with
    // it, in place; the merge into the existing target folder moves the rest.
    dst.makeFolder(L"tree");
    dst.writeFile(L"tree\\stuck.txt", "stuck");
    dst.writeFile(L"tree\\free.txt", "free");
    HANDLE held = CreateFileW((dst / L"tree\\stuck.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    {
        Answers answers(std::vector<Answers::Answer>{{IDC_CONFLICT_OVERWRITE}});
        JobReport report;
        ASSERT_TRUE(transfer({dst / L"tree"}, other, true));
        EXPECT_NE(report.finish().find(dst / L"tree\\stuck.txt"), std::wstring::npos);
    }
    CloseHandle(held);
    EXPECT_TRUE(fileExists(dst / L"tree\\stuck.txt"));
    EXPECT_FALSE(fileExists(dst / L"tree\\free.txt"));
    EXPECT_EQ(readFileBytes(other + L"\\tree\\free.txt"), "free");
    EXPECT_FALSE(fileExists(other + L"\\tree\\stuck.txt"));
}

TEST(Transfer, EachAnswerToASameNameFileQuestion) {
    const struct Row {
        const char* what;
        std::vector<Answers::Answer> answers;
        uint64_t sourceTime;  // the target's is k2020
        const char* aAfter;   // content of the target a.txt afterwards
        const wchar_t* extra; // another file expected in the destination, with the new content
    } rows[] = {
        {"overwrite", {{IDC_CONFLICT_OVERWRITE}}, k2020 + kDay, "new", nullptr},
        {"only newer, same second", {{IDC_CONFLICT_ONLY_NEWER}}, k2020, "new", nullptr},
        {"only newer, one second older", {{IDC_CONFLICT_ONLY_NEWER}}, k2020 - 10000000, "old", nullptr},
        {"skip", {{IDC_CONFLICT_SKIP}}, k2020 + kDay, "old", nullptr},
        {"rename", {{IDC_CONFLICT_RENAME, L"b.txt"}}, k2020, "old", L"b.txt"},
        {"rename onto an existing name asks again",
         {{IDC_CONFLICT_RENAME, L"taken.txt"}, {IDC_CONFLICT_RENAME, L"c.txt"}}, k2020, "old", L"c.txt"},
        {"abort", {{IDC_CONFLICT_OVERWRITE, nullptr, IDCANCEL}}, k2020, "old", nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder src, dst;
        src.writeFile(L"a.txt", "new");
        src.writeFile(L"z.txt", "after");
        setWriteTime(src / L"a.txt", r.sourceTime);
        dst.writeFile(L"a.txt", "old");
        dst.writeFile(L"taken.txt", "taken");
        setWriteTime(dst / L"a.txt", k2020);
        Answers answers(r.answers);
        ASSERT_TRUE(transfer({src / L"a.txt", src / L"z.txt"}, dst.path(), false));
        answers.finish();
        ASSERT_EQ(answers.offered.size(), r.answers.size());
        EXPECT_EQ(answers.offered[0].title, L"同名のファイル");
        EXPECT_EQ(answers.offered[0].checked, IDC_CONFLICT_OVERWRITE);  // first question of a job
        EXPECT_EQ(answers.offered[0].name, L"a.txt");
        EXPECT_TRUE(answers.offered[0].progressShown);
        if (r.answers.size() > 1) {
            EXPECT_EQ(answers.offered[1].checked, IDC_CONFLICT_RENAME);
            EXPECT_EQ(answers.offered[1].name, L"taken.txt");
        }
        EXPECT_EQ(readFileBytes(dst / L"a.txt"), r.aAfter);
        EXPECT_EQ(readFileBytes(dst / L"taken.txt"), "taken");
        if (r.extra) {
            EXPECT_EQ(readFileBytes(dst / r.extra), "new");
        }
        // Aborting ends the job: the next item is not transferred either.
        EXPECT_EQ(fileExists(dst / L"z.txt"), r.answers.back().button != IDCANCEL);
    }
}

// A name as long as the file system allows leaves no room to lengthen it: the replacement is
// written under a name of its own, and nothing of it stays beside the file.
TEST(Transfer, ReplacesAFileWhoseNameIsAsLongAsAllowed) {
    const struct { const char* what; bool move; int answer; const wchar_t* beside; } rows[] = {
        {"copy, overwrite", false, IDC_CONFLICT_OVERWRITE, nullptr},
        {"copy, only newer", false, IDC_CONFLICT_ONLY_NEWER, nullptr},
        {"move to another drive, overwrite", true, IDC_CONFLICT_OVERWRITE, nullptr},
        // A file of the user's under the replacement's first name stays as it is.
        {"move to another drive, only newer", true, IDC_CONFLICT_ONLY_NEWER, L"~vantor.0.part"},
    };
    const std::wstring name = L"\\" + std::wstring(251, L'n') + L".txt";
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder src, dst(r.move ? otherDriveTestRoot() : testRoot());
        const std::wstring from = L"\\\\?\\" + src.path(), to = L"\\\\?\\" + dst.path();
        src.writeFile(L"x", "new");
        dst.writeFile(L"x", "old");
        if (r.beside) dst.writeFile(r.beside, "mine");
        ASSERT_TRUE(MoveFileW((from + L"\\x").c_str(), (from + name).c_str()) && MoveFileW((to + L"\\x").c_str(), (to + name).c_str()));
        setWriteTime(from + name, k2020 + kDay);
        setWriteTime(to + name, k2020);
        Answers answers(std::vector<Answers::Answer>{{r.answer}});
        JobReport report;
        ASSERT_TRUE(transfer({src.path() + name}, dst.path(), r.move));
        answers.finish();
        EXPECT_EQ(report.finish(), L"");
        EXPECT_EQ(readFileBytes(to + name), "new");
        EXPECT_EQ(fileExists(from + name), !r.move);
        // Nothing of the replacement stays beside it, and the user's own file is untouched.
        EXPECT_FALSE(fileExists(to + (r.beside ? L"\\~vantor.1.part" : L"\\~vantor.0.part")));
        if (r.beside) {
            EXPECT_EQ(readFileBytes(dst / r.beside), "mine");
        }
    }
}

// The message at the end of a job that passed over items says truly what was done, and fits the
// screen whatever the paths.
TEST(Transfer, TheEndMessageTellsWhatWasDoneAndFitsASmallScreen) {
    // Sources in the source folder; a name that starts with "-" is missing.
    const struct { std::vector<std::wstring> sources; std::vector<Answers::Answer> answers; const wchar_t* firstLine; } rows[] = {
        {{L"-1", L"-2"}, {}, L"2 個の項目を処理できませんでした。処理できた項目はありません。"},
        {{L"-1", L"a.txt", L"b.txt"}, {{IDC_CONFLICT_SKIP, nullptr, IDC_CONFLICT_ALL}},
         L"1 個の項目を処理できませんでした。処理できた項目はありません。"},
        {{L"-1", L"c.txt", L"d.txt"}, {}, L"1 個の項目を処理できませんでした。2 個の項目は処理しました。"},
        {{L"-long"}, {}, L"1 個の項目を処理できませんでした。処理できた項目はありません。"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.sources.size() << " sources, the last " << r.sources.back());
        TempFolder src, dst;
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) src.writeFile(name, "new");
        for (const wchar_t* name : {L"a.txt", L"b.txt"}) dst.writeFile(name, "old");
        const std::wstring longPath = src / (L"-" + std::wstring(262 - src.path().size() - 2, L'x'));
        std::vector<std::wstring> paths;
        for (const std::wstring& name : r.sources) paths.push_back(name == L"-long" ? longPath : src / name);
        Answers answers(r.answers);
        JobReport report;
        ASSERT_TRUE(transfer(paths, dst.path(), false));
        answers.finish();
        const std::wstring told = report.finish();
        EXPECT_EQ(told.substr(0, told.find(L'\n')), r.firstLine) << told;
        EXPECT_LE(report.widestBox(), 1024);  // the smallest screen the program is meant for
        // A long path is cut in its middle: where it is and how its name ends both show.
        if (paths.front() == longPath) {
            EXPECT_EQ(told.find(longPath), std::wstring::npos) << told;
            EXPECT_NE(told.find(src.path() + L"\\-xxx"), std::wstring::npos) << told;
            EXPECT_NE(told.find(longPath.substr(longPath.size() - 20)), std::wstring::npos) << told;
        }
    }
}

// A job finishes one file while it begins the next; a second source of the same name (from another
// folder) still meets the first as an existing file, whole, and is asked about.
TEST(Transfer, ASecondSourceOfOneNameMeetsTheFirstCopyWhole) {
    TempFolder one, two, dst;
    const std::string first(16 << 20, 'a');
    one.writeFile(L"a.bin", first);
    two.writeFile(L"a.bin", "second");
    for (const int answer : {IDC_CONFLICT_SKIP, IDC_CONFLICT_OVERWRITE}) {
        SCOPED_TRACE(answer);
        DeleteFileW((dst / L"a.bin").c_str());
        Answers answers(std::vector<Answers::Answer>{{answer}});
        JobReport report;
        ASSERT_TRUE(transfer({one / L"a.bin", two / L"a.bin"}, dst.path(), false));
        answers.finish();
        EXPECT_EQ(report.finish(), L"");
        EXPECT_EQ(answers.offered.size(), 1u);
        EXPECT_EQ(readFileBytes(dst / L"a.bin"), answer == IDC_CONFLICT_SKIP ? first : "second");
    }
}

TEST(Transfer, TheProgressWindowShowsTheBytesDoneOfTheWholeJob) {
    TempFolder src, dst;
    src.writeFile(L"a.bin", std::string(3 << 20, 'a'));
    src.writeFile(L"b.bin", std::string(1 << 20, 'b'));
    dst.writeFile(L"b.bin", "old");
    // The question on b.bin holds the job after a.bin, with the window shown.
    Answers answers({{IDC_CONFLICT_SKIP, nullptr, IDOK, true}});
    ASSERT_TRUE(transfer({src / L"a.bin", src / L"b.bin"}, dst.path(), false));
    answers.finish();
    ASSERT_EQ(answers.offered.size(), 1u);
    // The rate may follow, on a machine slow enough to sample the copy of a.bin.
    EXPECT_EQ(answers.offered[0].figures.rfind(L"3.00 MB / 4.00 MB  75%", 0), 0u) << answers.offered[0].figures;
    EXPECT_EQ(answers.offered[0].jobBar, 750);
}

TEST(Transfer, ClosingTheOwnerDuringAQuestionEndsTheJobAndLeavesTheTarget) {
    TempFolder src, dst;
    src.writeFile(L"a.txt", "new");
    src.writeFile(L"z.txt", "after");
    dst.writeFile(L"a.txt", "old");
    // Stands in for the main window: closing it destroys the job's window, which it owns, and with
    // it the question, which that window owns.
    HWND owner = CreateWindowExW(0, L"Static", L"owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    DialogEnd end;
    const int before = FileJob::liveCount();
    auto* job = new WatchedTransferJob(end);
    job->attach();
    job->operation().paths = {src / L"a.txt", src / L"z.txt"};
    job->operation().destination = dst.path();
    DialogAction close(L"同名のファイル", [owner](HWND) { PostMessageW(owner, WM_CLOSE, 0, 0); }, 10000);
    FileJob::start(job, owner);
    ASSERT_TRUE(waitForJobs(before));
    EXPECT_TRUE(close.finish());
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_TRUE(end.deleted);
    EXPECT_FALSE(end.deletedInsideHandler);  // the question returned to a dialog that still existed
    EXPECT_EQ(readFileBytes(dst / L"a.txt"), "old");  // nobody answered: nothing is overwritten
    EXPECT_FALSE(fileExists(dst / L"z.txt"));          // and the job goes no further
}

TEST(Transfer, FolderAnswersAndApplyingToAll) {
    TempFolder src, dst;
    for (const wchar_t* name : {L"merge", L"replace", L"keep"}) {
        src.makeFolder(name);
        dst.makeFolder(name);
        src.writeFile(std::wstring(name) + L"\\new.txt", "new");
        dst.writeFile(std::wstring(name) + L"\\old.txt", "old");
    }
    src.writeFile(L"merge\\old.txt", "newer");
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
        src.writeFile(name, "new");
        dst.writeFile(name, "old");
    }
    Answers answers({
        {IDC_CONFLICT_OVERWRITE},                             // merge: into the existing folder
        {IDC_CONFLICT_SKIP},                                  // merge\old.txt, a file question inside it
        {IDC_CONFLICT_DELETE},                                // replace: the old folder goes first
        {IDC_CONFLICT_SKIP},                                  // keep
        {IDC_CONFLICT_OVERWRITE, nullptr, IDC_CONFLICT_ALL},  // 1.txt, and 2.txt and 3.txt unasked
    });
    ASSERT_TRUE(transfer({src / L"merge", src / L"replace", src / L"keep", src / L"1.txt", src / L"2.txt", src / L"3.txt"},
                         dst.path(), false));
    answers.finish();
    ASSERT_EQ(answers.offered.size(), 5u);
    EXPECT_EQ(answers.offered[0].title, L"同名のディレクトリ");
    EXPECT_EQ(answers.offered[1].title, L"同名のファイル");
    EXPECT_EQ(answers.offered[2].checked, IDC_CONFLICT_OVERWRITE);  // the last folder answer again
    EXPECT_EQ(answers.offered[3].checked, IDC_CONFLICT_DELETE);
    EXPECT_EQ(readFileBytes(dst / L"merge\\new.txt"), "new");
    EXPECT_EQ(readFileBytes(dst / L"merge\\old.txt"), "old");
    EXPECT_EQ(readFileBytes(dst / L"replace\\new.txt"), "new");
    EXPECT_FALSE(fileExists(dst / L"replace\\old.txt"));
    EXPECT_FALSE(fileExists(dst / L"keep\\new.txt"));
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) EXPECT_EQ(readFileBytes(dst / name), "new");
}

TEST(Transfer, CancelStopsBeforeTheNextItemAndTwoJobsRunAtOnce) {
    TempFolder src, dst1, dst2;
    // Large enough that the copy is still on its first file when Cancel comes.
    const std::wstring big = src / L"big.bin";
    HANDLE file = CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 400LL << 20;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    src.writeFile(L"small.txt", "small");

    const int before = FileJob::liveCount();
    startTransfer({big, src / L"small.txt"}, dst1.path(), false, nullptr);
    startTransfer({big, src / L"small.txt"}, dst2.path(), false, nullptr);
    EXPECT_EQ(FileJob::liveCount(), before + 2);
    struct Found {
        int dialogs = 0;
        HWND first = nullptr;
    } found;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM lParam) {
        auto* f = reinterpret_cast<Found*>(lParam);
        if (windowText(hwnd) == L"ファイル転送" && f->dialogs++ == 0) f->first = hwnd;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    const int dialogs = found.dialogs;
    HWND first = found.first;
    EXPECT_EQ(dialogs, 2);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(IsWindowVisible(first));  // a job shows its window only once it has taken a while
    PostMessageW(first, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitForJobs(before));
    // One job was cancelled during its first file, the other went through.
    const int smallCopies = fileExists(dst1 / L"small.txt") + fileExists(dst2 / L"small.txt");
    EXPECT_EQ(smallCopies, 1);
}

TEST(Transfer, ManyJobsStartedAndCancelledLeaveNoJobBehind) {
    TempFolder src, dst;
    for (int i = 0; i < 3; ++i) src.writeFile(L"f" + std::to_wstring(i), std::string(1000, 'x'));
    const std::vector<std::wstring> sources = {src / L"f0", src / L"f1", src / L"f2"};
    std::mt19937 random(20261207);
    const int before = FileJob::liveCount();
    JobReport report;  // jobs find their files taken by the moves of others, and say so
    for (int i = 0; i < 300; ++i) {
        // A destination of its own, so that no job meets a same-name question.
        const std::wstring destination = dst / std::to_wstring(i);
        CreateDirectoryW(destination.c_str(), nullptr);
        startTransfer(sources, destination, i % 2 == 1, nullptr);
        // Cancel at a random point: before the dialog saw anything, while it runs, or never.
        const int pumped = static_cast<int>(random() % 4);
        for (int p = 0; p < pumped; ++p) {
            MSG msg;
            if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        if (random() % 3 != 0) {
            EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM) {
                if (windowText(hwnd) == L"ファイル転送") SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            }, 0);
        }
        // Moves take the files away: put them back for the next job.
        for (int f = 0; f < 3; ++f)
            MoveFileW((destination + L"\\f" + std::to_wstring(f)).c_str(), sources[static_cast<size_t>(f)].c_str());
    }
    EXPECT_TRUE(waitForJobs(before, 60000));
    EXPECT_EQ(FileJob::liveCount(), before);
}
