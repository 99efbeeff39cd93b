#include "fileops/ShellTransferData.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <cstring>

namespace {
// A block as another program might hand it over: a header with `offset` and `wide`, then `bytes`.
HGLOBAL blockOf(DWORD offset, BOOL wide, const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(DROPFILES) + bytes.size());
    auto* data = static_cast<unsigned char*>(GlobalLock(block));
    DROPFILES header{};
    header.pFiles = offset;
    header.fWide = wide;
    std::memcpy(data, &header, sizeof(header));
    std::memcpy(data + sizeof(header), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

std::string wideBytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}
}  // namespace

TEST(FileListBlock, ReadsWhatOtherProgramsHandOverWithoutReadingPastTheBlock) {
    const std::wstring twoNames = std::wstring(L"C:\\a.txt") + L'\0' + L"D:\\b c\\d" + L'\0' + L'\0';
    const struct { const char* what; DWORD offset; BOOL wide; std::string bytes; std::vector<std::wstring> paths; } rows[] = {
        {"wide", 20, TRUE, wideBytes(twoNames), {L"C:\\a.txt", L"D:\\b c\\d"}},
        {"narrow", 20, FALSE, std::string("C:\\x\0Y:\\z\0\0", 11), {L"C:\\x", L"Y:\\z"}},
        {"no terminators", 20, TRUE, wideBytes(L"C:\\cut"), {L"C:\\cut"}},
        {"offset past the end", 4000, TRUE, wideBytes(twoNames), {}},
        {"offset inside the header", 8, TRUE, wideBytes(twoNames), {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        HGLOBAL block = blockOf(r.offset, r.wide, r.bytes);
        EXPECT_EQ(readFileList(static_cast<HDROP>(block)), r.paths);
        GlobalFree(block);
    }

    // The program's own blocks read back whole, long paths and large lists alike.
    std::vector<std::wstring> many;
    for (int i = 0; i < 100000; ++i) many.push_back(L"C:\\folder\\" + std::to_wstring(i) + L".txt");
    many.push_back(L"C:\\" + std::wstring(1000, L'n'));
    HGLOBAL block = makeFileListBlock(many);
    EXPECT_EQ(readFileList(static_cast<HDROP>(block)), many);
    GlobalFree(block);
    EXPECT_EQ(makeFileListBlock({}), nullptr);
}
