// A copy that cannot finish (cancelled, disk full) leaves nothing incomplete under any name, and a
// file it was to replace stays as it was.
#include "fileops/FileCopy.h"
#include "fileops/JobFailures.h"
#include "support/FileLinks.h"
#include "support/TempFolder.h"
#include "JobDriver.h"
#include <gtest/gtest.h>
#include <map>

namespace {
std::string bytesOf(size_t size, char seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7 + i / 4093);
    return bytes;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Every file in a folder with its bytes.
std::map<std::wstring, std::string> contentsOf(const std::wstring& folder) {
    std::map<std::wstring, std::string> files;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[data.cFileName] = readFileBytes(folder + L"\\" + data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
}
}  // namespace

TEST(FileCopy, ACancelOrAFullDiskLeavesNoPartialFileAndTheReplacedFileAsItWas) {
    SmallDrive small(1024);
    ASSERT_FALSE(small.drive().empty()) << "a 1 MB drive of its own (mounting needs the right to mount)";
    const struct Row {
        const char* what;
        bool onSmallDrive;
        size_t size;
        const char* old;   // the target's bytes before, when it exists
        int cancelAfter;   // blocks, 0 never
        DWORD error;
    } rows[] = {
        {"cancelled in the middle", false, 5 << 20, nullptr, 2, ERROR_REQUEST_ABORTED},
        {"cancelled in the middle of a replacement", false, 5 << 20, "old", 2, ERROR_REQUEST_ABORTED},
        {"a full disk", true, 2 << 20, nullptr, 0, ERROR_DISK_FULL},
        {"a full disk while replacing", true, 900 << 10, "old", 0, ERROR_DISK_FULL},
        {"replaced in full", false, 3 << 20, "old", 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TempFolder src, dst;
        const std::wstring folder = r.onSmallDrive ? small.drive() : dst.path();
        const std::string bytes = bytesOf(r.size, 'a');
        writeFile(src / L"big.bin", bytes);
        if (r.old) writeFile(folder + L"\\big.bin", std::string(300 << 10, r.old[0]));
        const auto before = contentsOf(folder);
        int blocks = 0;
        const DWORD error = copyFileSafely(src / L"big.bin", folder + L"\\big.bin", r.old != nullptr,
                                           [&](uint64_t, uint64_t) { return r.cancelAfter == 0 || ++blocks < r.cancelAfter; });
        if (r.error == ERROR_DISK_FULL) EXPECT_TRUE(error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) << error;
        else EXPECT_EQ(error, r.error);
        if (r.error == 0) {
            EXPECT_EQ(contentsOf(folder), (std::map<std::wstring, std::string>{{L"big.bin", bytes}}));
        } else {
            EXPECT_EQ(contentsOf(folder), before);
        }
        DeleteFileW((folder + L"\\big.bin").c_str());
    }
}

// A job copying more than fits: every file on the full drive is whole, the job goes on, and the
// failures are told in the order of the items, though a file's bytes are written on a thread of
// their own while the job goes to the next item.
TEST(FileCopy, AJobOntoAFullDiskLeavesOnlyWholeFiles) {
    SmallDrive small(1024);
    ASSERT_FALSE(small.drive().empty()) << "a 1 MB drive of its own (mounting needs the right to mount)";
    TempFolder src;
    std::vector<std::wstring> sources;
    std::map<std::wstring, std::string> written;
    for (int i = 0; i < 5; ++i) {
        const std::wstring name = L"f" + std::to_wstring(i) + L".bin";
        written[name] = bytesOf(400 << 10, static_cast<char>('a' + i));
        writeFile(src / name, written[name]);
        sources.push_back(src / name);
    }
    sources.push_back(src / L"gone.bin");
    JobReport report;
    ASSERT_TRUE(transfer(sources, small.drive() + L"\\", false));
    const auto copied = contentsOf(small.drive());
    // Told once at the end: how many were passed over, and why.
    const std::wstring told = report.finish();
    EXPECT_NE(told.find(std::to_wstring(6 - copied.size()) + L" 個の項目を処理できませんでした"), std::wstring::npos) << told;
    EXPECT_NE(told.find(failureReason(ERROR_DISK_FULL)), std::wstring::npos) << told;
    for (const auto& [name, bytes] : written) {
        if (!copied.contains(name)) {
            EXPECT_LT(told.find(src / name), told.find(src / L"gone.bin")) << told;
        }
    }
    EXPECT_GE(copied.size(), 1u);
    EXPECT_LT(copied.size(), 5u);
    for (const auto& [name, bytes] : copied) EXPECT_EQ(bytes, written[name]) << "a partial file left";
    for (const auto& [name, bytes] : copied) DeleteFileW((small.drive() + L"\\" + name).c_str());
}
