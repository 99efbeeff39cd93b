// Jobs act on the items the user chose and on nothing else: not on what a link leads to, not on a
// neighbour whose name the platform would trim to, not on the source when it is also the target.
#include "common/ResolvedPath.h"
#include "fileops/ItemJobs.h"
#include "fileops/TransferRules.h"
#include "framework/MessageBox.h"
#include "support/FileLinks.h"
#include "support/TempFolder.h"
#include "JobDriver.h"
#include <gtest/gtest.h>
#include <functional>
#include <optional>

namespace {
// What a file is: its bytes, attributes and last-write time, to see that nothing touched it.
struct FileState {
    std::string bytes;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    uint64_t written = 0;

    static FileState of(const std::wstring& path) {
        FileState state;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return state;
        state.bytes = readFileBytes(path);
        state.attributes = data.dwFileAttributes;
        state.written = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
        return state;
    }
    bool operator==(const FileState&) const = default;
};

void PrintTo(const FileState& state, std::ostream* out) {
    *out << (state.attributes == INVALID_FILE_ATTRIBUTES ? "gone" : "\"" + state.bytes + "\"") << " attributes "
         << std::hex << state.attributes << std::dec << " written " << state.written;
}

// A folder on another drive than the tests' one; links a job made in it go before the rest.
struct OtherDriveFolder {
    const TempFolder folder{otherDriveTestRoot()};
    const std::wstring path = folder.path();
    ~OtherDriveFolder() {
        for (const wchar_t* name : {L"\\sel\\dlink", L"\\sel\\flink", L"\\dlink", L"\\flink"}) removeLink(path + name);
    }
};

std::wstring literal(const std::wstring& path) { return L"\\\\?\\" + path; }

void writeLiteral(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(literal(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string readLiteral(const std::wstring& path) { return readFileBytes(literal(path)); }
}  // namespace

TEST(LinkedItems, NoJobReachesWhatALinkLeadsTo) {
    const FILETIME y2001{0xC89DC000, 0x01C07385};  // 2001-01-01 00:00 UTC
    const struct Row {
        const char* what;
        std::function<bool(const TempFolder& work, const std::wstring& other)> run;
        std::function<bool(const TempFolder& work, const std::wstring& other)> didItsPart;
    } rows[] = {
        {"delete the folder that holds the links",
         [](auto& w, auto&) { return runItemJob<DeleteJob>({w / L"sel"}); },
         [](auto& w, auto&) { return !fileExists(w / L"sel\\own.txt"); }},
        {"delete the folder link itself", [](auto& w, auto&) { return runItemJob<DeleteJob>({w / L"sel\\dlink"}); },
         [](auto&, auto&) { return true; }},
        {"delete the file link itself", [](auto& w, auto&) { return runItemJob<DeleteJob>({w / L"sel\\flink"}); },
         [](auto&, auto&) { return true; }},
        {"read-only on everything below",
         [](auto& w, auto&) {
             return runItemJob<AttributeJob>({w / L"sel"}, [](AttributeJob& job) {
                 job.operation().masks = masksOf({kAttributeSet, kAttributeKeep, kAttributeKeep, kAttributeKeep});
                 job.operation().recurse = 1;
             });
         },
         [](auto& w, auto&) { return (GetFileAttributesW((w / L"sel\\own.txt").c_str()) & FILE_ATTRIBUTE_READONLY) != 0; }},
        {"times on everything below",
         [&](auto& w, auto&) {
             return runItemJob<TimestampJob>({w / L"sel"}, [&](TimestampJob& job) {
                 job.operation().lastWrite = y2001;
                 job.operation().recurse = 1;
             });
         },
         [&](auto& w, auto&) {
             const FileState own = FileState::of(w / L"sel\\own.txt");
             return own.written == ((static_cast<uint64_t>(y2001.dwHighDateTime) << 32) | y2001.dwLowDateTime);
         }},
        {"move the folder to another drive", [](auto& w, auto& other) { return transfer({w / L"sel"}, other, true); },
         [](auto&, auto& other) { return readFileBytes(other + L"\\sel\\own.txt") == "own"; }},
        {"move the folder link within the drive",
         [](auto& w, auto&) { return transfer({w / L"sel\\dlink"}, w / L"dst", true); }, [](auto&, auto&) { return true; }},
        {"move the file link within the drive",
         [](auto& w, auto&) { return transfer({w / L"sel\\flink"}, w / L"dst", true); }, [](auto&, auto&) { return true; }},
        {"move the file link to another drive",
         [](auto& w, auto& other) { return transfer({w / L"sel\\flink"}, other, true); }, [](auto&, auto&) { return true; }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder outside, work;
        outside.writeFile(L"canary.txt", "canary");
        outside.makeFolder(L"inner");
        outside.writeFile(L"inner\\deep.txt", "deep");
        work.makeFolder(L"sel");
        work.makeFolder(L"dst");
        work.writeFile(L"sel\\own.txt", "own");
        ASSERT_TRUE(makeLink(work / L"sel\\dlink", outside.path()));
        ASSERT_TRUE(makeLink(work / L"sel\\flink", outside / L"canary.txt"));
        ASSERT_EQ(readFileBytes(work / L"sel\\dlink\\inner\\deep.txt"), "deep");
        const FileState canary = FileState::of(outside / L"canary.txt"), deep = FileState::of(outside / L"inner\\deep.txt");
        const DWORD outsideAttributes = GetFileAttributesW(outside.path().c_str());
        OtherDriveFolder other;

        JobReport report;  // a link the platform cannot handle as itself is passed over and told
        ASSERT_TRUE(r.run(work, other.path));
        report.finish();
        EXPECT_TRUE(r.didItsPart(work, other.path));
        EXPECT_EQ(FileState::of(outside / L"canary.txt"), canary);
        EXPECT_EQ(FileState::of(outside / L"inner\\deep.txt"), deep);
        EXPECT_EQ(GetFileAttributesW(outside.path().c_str()), outsideAttributes);
        SetFileAttributesW((work / L"sel").c_str(), FILE_ATTRIBUTE_NORMAL);  // so its links can go
        for (const wchar_t* link : {L"sel\\dlink", L"sel\\flink", L"dst\\dlink", L"dst\\flink"}) removeLink(work / link);
    }
}

TEST(LinkedItems, ACopyTakesWhatALinkLeadsToButStopsOnALoop) {
    TempFolder outside, work, dst;
    outside.writeFile(L"canary.txt", "canary");
    work.makeFolder(L"loop");
    work.writeFile(L"loop\\file.txt", "file");
    ASSERT_TRUE(makeLink(work / L"loop\\up", work / L"loop"));
    ASSERT_TRUE(makeLink(work / L"loop\\out", outside.path()));
    JobReport report;
    ASSERT_TRUE(transfer({work / L"loop"}, dst.path(), false));
    EXPECT_NE(report.finish().find(work / L"loop\\up"), std::wstring::npos) << "the loop is told";
    EXPECT_EQ(readFileBytes(dst / L"loop\\file.txt"), "file");
    EXPECT_EQ(readFileBytes(dst / L"loop\\out\\canary.txt"), "canary");
    EXPECT_FALSE(fileExists(dst / L"loop\\up"));
    EXPECT_EQ(readFileBytes(outside / L"canary.txt"), "canary");
    removeLink(work / L"loop\\up");
    removeLink(work / L"loop\\out");
}

TEST(SameAndInside, JudgedByWhereAPathLeadsNotByItsSpelling) {
    TempFolder base;
    base.makeFolder(L"project");
    base.makeFolder(L"project\\sub");
    base.makeFolder(L"projectx");
    const std::wstring d = base.path(), upper = CharUpperW(std::wstring(d).data());
    const std::wstring linked = base / L"via";
    ASSERT_TRUE(makeLink(linked, d));
    const std::wstring drive = mapDrive(d);
    ASSERT_FALSE(drive.empty()) << "a drive letter mapped to the test folder";
    const struct {
        const char* what;
        bool result, expected;
    } rows[] = {
        {"another case", isSameItem(d, upper), true},
        {"through a link", isSameItem(d, linked), true},
        {"through another drive letter", isSameItem(d, drive + L"\\"), true},
        {"two folders", isSameItem(d + L"\\project", d + L"\\projectx"), false},
        {"into the source in another case", entersOwnSubtree({d + L"\\project"}, upper + L"\\PROJECT"), true},
        {"into the source through a link", entersOwnSubtree({d + L"\\project"}, linked + L"\\project\\sub"), true},
        {"into the source through a drive letter", entersOwnSubtree({d + L"\\project"}, drive + L"\\project\\sub"), true},
        {"into a folder not made yet", entersOwnSubtree({d + L"\\project"}, d + L"\\project\\new\\deeper"), true},
        {"into its parent", entersOwnSubtree({d + L"\\project"}, d), false},
        {"into a neighbour with a longer name", entersOwnSubtree({d + L"\\project"}, d + L"\\projectx"), false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(r.result, r.expected);
    }
    unmapDrive(drive);
    removeLink(linked);
}

// The pane on D\project with the cursor on its inner "project", the other pane on D, however
// spelled: deleting or merging the target D\project would destroy the source inside it.
TEST(SameNameFolder, ATargetThatHoldsTheSourceIsNeverDeletedOrMergedInto) {
    const struct Row {
        const char* what;
        int choice;
        bool applyToAll;  // answered for an earlier, harmless pair, so the job asks nothing here
        std::function<std::wstring(const TempFolder&)> destination;
    } rows[] = {
        {"delete", IDC_CONFLICT_DELETE, false, [](const TempFolder& d) { return d.path(); }},
        {"merge", IDC_CONFLICT_OVERWRITE, false, [](const TempFolder& d) { return d.path(); }},
        {"delete for all", IDC_CONFLICT_DELETE, true, [](const TempFolder& d) { return d.path(); }},
        {"merge for all, spelled in another case", IDC_CONFLICT_OVERWRITE, true,
         [](const TempFolder& d) { return std::wstring(CharUpperW(std::wstring(d.path()).data())); }},
        {"delete for all, through a link", IDC_CONFLICT_DELETE, true, [](const TempFolder& d) { return d / L"via"; }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder d;
        d.makeFolder(L"project");
        d.makeFolder(L"project\\project");
        d.writeFile(L"project\\project\\canary.txt", "canary");
        d.writeFile(L"project\\keep.txt", "keep");
        d.makeFolder(L"harmless");
        d.writeFile(L"harmless\\old.txt", "old");
        d.makeFolder(L"src");
        d.makeFolder(L"src\\harmless");
        ASSERT_TRUE(makeLink(d / L"via", d.path()));
        const std::wstring destination = r.destination(d);

        std::wstring refusal;
        const DWORD ui = GetCurrentThreadId();
        std::thread user([&] {
            HWND question = waitForWindow(ui, L"同名のディレクトリ", 10000);
            if (!question) return;
            SendMessageW(GetDlgItem(question, r.choice), BM_CLICK, 0, 0);
            if (r.applyToAll) {  // the harmless pair
                clickButton(question, IDC_CONFLICT_ALL);
                return;
            }
            clickButton(question, IDOK);
            HWND box = waitForWindow(ui, L"Vantor", 10000);
            if (!box) return;
            refusal = staticTexts(box);
            clickButton(box, IDOK);
            while (IsWindow(box)) Sleep(10);
            SendMessageW(GetDlgItem(question, IDC_CONFLICT_SKIP), BM_CLICK, 0, 0);
            clickButton(question, IDOK);
        });
        std::vector<std::wstring> sources = {d / L"project\\project"};
        if (r.applyToAll) sources.insert(sources.begin(), d / L"src\\harmless");
        // Asked, the user is refused on the spot; answered for all, the job passes the pair over
        // and says so at its end (the only message box then, so the report takes it).
        std::optional<JobReport> report;
        if (r.applyToAll) report.emplace();
        ASSERT_TRUE(transfer(sources, destination, false));
        user.join();
        if (report) {
            EXPECT_NE(report->finish().find(L"転送先のフォルダが転送元と重なっています"), std::wstring::npos);
        }
        if (!r.applyToAll) {
            EXPECT_NE(refusal.find(L"転送元"), std::wstring::npos) << "the refusal names the source";
        }
        EXPECT_EQ(readFileBytes(d / L"project\\project\\canary.txt"), "canary");
        EXPECT_EQ(readFileBytes(d / L"project\\keep.txt"), "keep");
        EXPECT_EQ(fileExists(d / L"harmless\\old.txt"), r.choice != IDC_CONFLICT_DELETE || !r.applyToAll);
        removeLink(d / L"via");
    }
}

TEST(OddNames, JobsActOnTheNamedItemNotOnTheNameThePlatformWouldTrimItTo) {
    const struct Row {
        const char* what;
        const wchar_t* name;       // the chosen item
        const wchar_t* neighbour;  // the item a trimmed or mapped name would reach
        int job;                   // 0 delete, 1 copy, 2 move within the drive
    } rows[] = {
        {"delete a trailing dot", L"a.", L"a", 0},
        {"copy a trailing dot", L"a.", L"a", 1},
        {"move a trailing dot", L"a.", L"a", 2},
        {"delete a trailing blank", L"b ", L"b", 0},
        {"copy a trailing blank", L"b ", L"b", 1},
        {"delete a device name", L"CON", nullptr, 0},
        {"copy a device name with an extension", L"aux.txt", nullptr, 1},
        {"move a device name", L"nul", nullptr, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder src, dst;
        writeLiteral(src / r.name, "chosen");
        if (r.neighbour) src.writeFile(r.neighbour, "neighbour");
        ASSERT_EQ(readLiteral(src / r.name), "chosen");
        JobReport report;
        if (r.job == 0) ASSERT_TRUE(runItemJob<DeleteJob>({src / r.name}));
        else ASSERT_TRUE(transfer({src / r.name}, dst.path(), r.job == 2));
        EXPECT_EQ(report.finish(), L"") << "nothing failed";

        EXPECT_EQ(readLiteral(src / r.name), r.job == 1 ? "chosen" : "");
        if (r.job != 0) {
            EXPECT_EQ(readLiteral(dst / r.name), "chosen");
        }
        if (r.neighbour) {
            EXPECT_EQ(readFileBytes(src / r.neighbour), "neighbour");
            EXPECT_FALSE(fileExists(dst / r.neighbour));
        }
        DeleteFileW(literal(src / r.name).c_str());
        DeleteFileW(literal(dst / r.name).c_str());
    }
}
