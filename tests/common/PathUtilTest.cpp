#include "common/ItemName.h"
#include "common/PathUtil.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <windows.h>

TEST(PathHelpers, TrailingBackslashIsAddedOnce) {
    EXPECT_EQ(ensureTrailingBackslash(L"C:\\work"), L"C:\\work\\");
    EXPECT_EQ(ensureTrailingBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(ensureTrailingBackslash(L""), L"\\");
    // The last character is a surrogate pair, never confused with a backslash.
    EXPECT_EQ(ensureTrailingBackslash(L"C:\\\xD83D\xDCC1"), L"C:\\\xD83D\xDCC1\\");
}

TEST(PathHelpers, RootPrefixOfDriveNetworkAndRootedPaths) {
    const struct { const wchar_t* path; const wchar_t* root; } rows[] = {
        {L"C:\\work\\a.txt", L"C:"},
        {L"C:\\", L"C:"},
        {L"C:", L"C:"},
        {L"\\\\server\\share\\dir\\file", L"\\\\server\\share"},
        {L"\\\\server\\share", L"\\\\server\\share"},
        {L"\\\\server", L"\\\\server"},
        {L"\\work\\x", L""},
        {L"\\", L""},
        {L"a\\b", L"a"},
        // The search for the backslash starts at the second character.
        {L"abc\\d\\e", L"abc"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "path index " << (&r - rows));
        EXPECT_EQ(rootPrefix(r.path), r.root);
    }
}

TEST(PathHelpers, SplitPathAtLastBackslash) {
    auto split = splitPath(L"C:\\work\\a.txt");
    ASSERT_TRUE(split);
    EXPECT_EQ(split->folder, L"C:\\work\\");
    EXPECT_EQ(split->name, L"a.txt");

    split = splitPath(L"C:\\work\\");
    ASSERT_TRUE(split);
    EXPECT_EQ(split->folder, L"C:\\work\\");
    EXPECT_EQ(split->name, L"");

    EXPECT_FALSE(splitPath(L"a.txt"));
    EXPECT_FALSE(splitPath(L""));
}

TEST(DeleteItem, RemovesReadOnlyFilesAndEmptyFoldersOnly) {
    TempFolder dir;
    dir.writeFile(L"locked.txt", "x");
    const std::wstring locked = dir / L"locked.txt";
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(deleteItem(locked));
    EXPECT_FALSE(fileExists(locked));

    dir.makeFolder(L"empty");
    EXPECT_TRUE(deleteItem(dir / L"empty"));
    EXPECT_FALSE(fileExists(dir / L"empty"));

    EXPECT_FALSE(deleteItem(dir / L"missing.txt"));
}

TEST(DeleteItem, FailureKeepsTheItemAndItsReadOnlyBit) {
    TempFolder dir;
    dir.makeFolder(L"full");
    dir.writeFile(L"full\\inside.txt", "x");
    EXPECT_FALSE(deleteItem(dir / L"full"));
    EXPECT_TRUE(fileExists(dir / L"full\\inside.txt"));

    // A file that another handle holds without delete sharing cannot go; it stays read-only.
    dir.writeFile(L"busy.txt", "x");
    const std::wstring busy = dir / L"busy.txt";
    ASSERT_TRUE(SetFileAttributesW(busy.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE held = CreateFileW(busy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(deleteItem(busy));
    CloseHandle(held);
    EXPECT_TRUE(fileExists(busy));
    EXPECT_TRUE(GetFileAttributesW(busy.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(FolderText, ResolvesAgainstThePaneFolderWithoutTheProcessDirectory) {
    const std::wstring deep = L"C:\\" + std::wstring(250, L'd') + L"\\" + std::wstring(250, L'e') + L"\\" +
                              std::wstring(250, L'f');
    const struct { const wchar_t* folder; std::wstring text; bool relative; std::wstring expected; } rows[] = {
        {L"C:\\work\\src", L"..", true, L"C:\\work"},
        {L"C:\\work\\src", L"..\\..", true, L"C:\\"},
        {L"C:\\work\\src", L"..\\..\\..", true, L"C:\\"},
        {L"C:\\work", L"sub", true, L"C:\\work\\sub"},
        {L"C:\\work", L"sub/inner/", true, L"C:\\work\\sub\\inner"},
        {L"C:\\", L"sub", true, L"C:\\sub"},
        {L"C:\\work\\src", L"\\", true, L"C:\\"},
        {L"C:\\work\\src", L"\\other", true, L"C:\\other"},
        {L"\\\\server\\share\\dir", L"\\", true, L"\\\\server\\share\\"},
        {L"\\\\server\\share\\dir", L"..", true, L"\\\\server\\share\\"},
        {L"C:\\work", L"D:\\data\\", true, L"D:\\data"},
        {L"C:\\work", L"\\\\server\\share\\x", true, L"\\\\server\\share\\x"},
        {L"C:\\work", L"", true, L""},
        {L"C:\\work", L"D:\\data\\.\\x\\..", false, L"D:\\data"},
        // A folder as long as the platform's own limit allows, and relative moves from it.
        {deep.c_str(), L"..", true, deep.substr(0, deep.rfind(L'\\'))},
        {deep.c_str(), L"g", true, deep + L"\\g"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        EXPECT_EQ(resolveFolderText(r.folder, r.text, r.relative), r.expected);
    }
}

TEST(FolderText, ParentIsFoundInTheTextUpToTheRoot) {
    const struct { const wchar_t* folder; std::optional<std::wstring> parent; } rows[] = {
        {L"C:\\work\\src", L"C:\\work"}, {L"C:\\work", L"C:\\"},  {L"C:\\work\\", L"C:\\"},
        {L"C:\\", std::nullopt},         {L"C:", std::nullopt},   {L"\\\\server\\share\\dir", L"\\\\server\\share\\"},
        {L"\\\\server\\share", std::nullopt}, {L"\\\\server\\share\\", std::nullopt},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        EXPECT_EQ(parentFolder(r.folder), r.parent);
    }
}

TEST(PathHelpers, LiteralFormsAndBack) {
    const struct { const wchar_t* plain; const wchar_t* literal; } rows[] = {
        {L"C:\\dir\\a.", L"\\\\?\\C:\\dir\\a."},
        {L"\\\\server\\share\\CON", L"\\\\?\\UNC\\server\\share\\CON"},
        {L"\\\\?\\C:\\x", L"\\\\?\\C:\\x"},          // literal already
        {L"\\\\.\\pipe\\x", L"\\\\.\\pipe\\x"},      // a device path stays
        {L"C:\\dir\\..\\x", L"C:\\dir\\..\\x"},      // still to be normalised: plain
        {L"C:/dir/x", L"C:/dir/x"},
        {L"relative\\x", L"relative\\x"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        EXPECT_EQ(literalPath(r.plain), r.literal);
        if (std::wstring(r.plain) != r.literal && !std::wstring(r.plain).starts_with(L"\\\\?")) {
            EXPECT_EQ(plainPath(r.literal), r.plain);
        }
    }
}

TEST(ItemNames, ANameMustStayInItsFolderAndReachTheFileSystemAsTyped) {
    const struct { const wchar_t* name; const wchar_t* says; } rows[] = {
        {L"report.txt", nullptr}, {L".profile", nullptr}, {L"conx.txt", nullptr}, {L"COM0", nullptr},
        {L"..\\x.txt", L"区切り"}, {L"sub/y", L"区切り"}, {L"x:y", L"区切り"},
        {L"a*b", L"文字"},         {L"a\x01", L"文字"},  {L"..", L"使えません"},
        {L"a.", L"末尾"},          {L"a ", L"末尾"},      {L"CON", L"予約"},
        {L"aux.txt", L"予約"},     {L"Lpt9.log", L"予約"}, {L"nul .tar.gz", L"予約"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        const std::wstring refusal = nameRefusal(r.name);
        if (!r.says) EXPECT_EQ(refusal, L"");
        else EXPECT_NE(refusal.find(r.says), std::wstring::npos);
    }
}
