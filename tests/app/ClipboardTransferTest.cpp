#include "fileops/FileJob.h"
#include "fileops/ShellTransferData.h"
#include "fileops/TransferRules.h"
#include "framework/OleDataSource.h"
#include "pane/PaneDropTarget.h"
#include "resource.h"
#include "support/RunningProgram.h"
#include "support/UiDriver.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <algorithm>

namespace {
// The bytes of a clipboard format, empty when it is not there.
std::string clipboardBytes(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (HANDLE block = GetClipboardData(format)) {
        const char* data = static_cast<const char*>(GlobalLock(block));
        if (data) bytes.assign(data, GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
}

// A file list from "another program": the block, and the preferred effect when it is not 0.
void putFileList(const std::vector<std::wstring>& paths, DWORD effect) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL list = makeFileListBlock(paths);
    if (!list) list = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + 4);  // no names at all
    if (auto* header = static_cast<DROPFILES*>(GlobalLock(list))) {
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        GlobalUnlock(list);
    }
    SetClipboardData(CF_HDROP, list);
    if (effect) SetClipboardData(preferredDropEffectFormat(), makeDropEffectBlock(effect));
    CloseClipboard();
}

// The left pane in a folder with files, the right pane in an empty one.
class ClipboardTransfer : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"a.txt", L"b.txt"}) src.writeFile(name, "abc");
        src.makeFolder(L"sub");
        ASSERT_TRUE(program.start(src.path()));
        program.pane(1).changeFolder(dst.path(), false);
        program.settle();
    }
    CVantorView& left() { return program.pane(0); }
    CVantorView& right() { return program.pane(1); }
    int at(const wchar_t* name) { return left().listing().index().findName(name, 0); }
    void mark(const wchar_t* name) {
        left().listing().list().setMark(left().listing().index().positionAt(at(name)), MarkMode::Mark);
    }
    // Sends a command to one pane and lets the jobs it started finish.
    void run(CVantorView& pane, UINT id) {
        const int before = FileJob::liveCount();
        SendMessageW(pane.hwnd(), WM_COMMAND, id, 0);
        for (int i = 0; i < 200 && FileJob::liveCount() != before; ++i) program.pump(50);
        EXPECT_EQ(FileJob::liveCount(), before);
    }

    TempFolder src, dst;
    RunningProgram program;
};
}  // namespace

TEST_F(ClipboardTransfer, CopyPutsTheDocumentedBlocksAndPasteCopiesCutPasteMoves) {
    mark(L"a.txt");
    mark(L"b.txt");
    left().setCursor(at(L"sub"));
    run(left(), ID_EDIT_COPY);

    std::vector<UINT> formats;
    ASSERT_TRUE(OpenClipboard(nullptr));
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) formats.push_back(f);
    CloseClipboard();
    const auto position = [&](UINT f) { return std::find(formats.begin(), formats.end(), f) - formats.begin(); };
    EXPECT_LT(position(shellIdListFormat()), position(CF_HDROP));
    EXPECT_LT(position(CF_HDROP), position(preferredDropEffectFormat()));
    EXPECT_LT(position(preferredDropEffectFormat()), static_cast<long>(formats.size()));

    const std::wstring names = src / L"a.txt" + L'\0' + (src / L"b.txt") + L'\0' + L'\0';
    std::string expected(20, '\0');
    expected[0] = 20;
    expected[16] = 1;
    expected.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
    EXPECT_EQ(clipboardBytes(CF_HDROP).substr(0, expected.size()), expected);
    EXPECT_EQ(clipboardBytes(preferredDropEffectFormat()).substr(0, 4), std::string("\5\0\0\0", 4));
    EXPECT_EQ(left().listing().list().markedCount(), 2);  // copying leaves the marks

    run(right(), ID_EDIT_PASTE);
    EXPECT_EQ(readFileBytes(dst / L"b.txt"), "abc");
    EXPECT_TRUE(fileExists(src / L"b.txt"));

    // Cut offers a move without the shell's list; pasting it moves.
    DeleteFileW((dst / L"a.txt").c_str());
    DeleteFileW((dst / L"b.txt").c_str());
    run(left(), ID_EDIT_CUT);
    EXPECT_EQ(clipboardBytes(preferredDropEffectFormat()).substr(0, 4), std::string("\2\0\0\0", 4));
    EXPECT_TRUE(clipboardBytes(shellIdListFormat()).empty());
    run(right(), ID_EDIT_PASTE);
    EXPECT_TRUE(fileExists(dst / L"a.txt"));
    EXPECT_FALSE(fileExists(src / L"a.txt"));
}

TEST_F(ClipboardTransfer, PastedEffectsFromOtherProgramsAndNothingOnDotDot) {
    const struct { const wchar_t* name; DWORD effect; bool moved; } rows[] = {
        {L"a.txt", 0, false}, {L"b.txt", kEffectCopyOrLink, false}, {L"a.txt", kEffectAny, false},
        {L"b.txt", kEffectMove, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.effect);
        DeleteFileW((dst / r.name).c_str());
        putFileList({src / r.name}, r.effect);
        run(right(), ID_EDIT_PASTE);
        EXPECT_TRUE(fileExists(dst / r.name));
        EXPECT_EQ(fileExists(src / r.name), !r.moved);
    }
    putFileList({}, 0);
    run(right(), ID_EDIT_PASTE);  // a job with nothing to do ends at once

    // A folder pasted into its own subtree is refused with a message.
    right().changeFolder(src / L"sub", false);
    program.settle();
    putFileList({src.path()}, 0);
    std::wstring refusal;
    DialogAction answer(L"Vantor", [&](HWND box) {
        refusal = staticTexts(box);
        clickButton(box, IDOK);
    });
    run(right(), ID_EDIT_PASTE);
    answer.finish();
    EXPECT_NE(refusal.find(L"フォルダをそれ自身の中へ転送することはできません"), std::wstring::npos);

    // On ".." copy offers nothing, marks or not: what was on the clipboard stays.
    putFileList({src / L"a.txt"}, kEffectMove);
    mark(L"sub");
    left().setCursor(at(L".."));
    run(left(), ID_EDIT_COPY);
    EXPECT_EQ(clipboardBytes(preferredDropEffectFormat()).substr(0, 4), std::string("\2\0\0\0", 4));
}

TEST_F(ClipboardTransfer, DropTargetChoosesTheEffectFromKeysDrivesThePointerAndWhatTheSourceAllows) {
    EXPECT_EQ(dropEffectFor(MK_SHIFT, {L"C:\\x"}, L"D:\\y"), DROPEFFECT_MOVE);
    EXPECT_EQ(dropEffectFor(0, {L"c:\\x"}, L"C:\\y"), DROPEFFECT_MOVE);  // drives compared without case
    EXPECT_EQ(dropEffectFor(0, {L"Z:\\x"}, L"C:\\y"), DROPEFFECT_COPY);
    EXPECT_EQ(dropEffectFor(0, {}, L"C:\\y"), DROPEFFECT_NONE);

    OleDataSource* data = OleDataSource::create();
    data->addGlobal(CF_HDROP, makeFileListBlock({src / L"a.txt"}));
    auto* target = new PaneDropTarget(right());
    RECT pane;
    GetWindowRect(right().hwnd(), &pane);
    const POINTL header{pane.left + 10, pane.top + 2};
    const POINTL list{pane.left + 10, pane.bottom - 10};
    // The effect goes in as what the source allows, as the system hands it over, and comes out as the drop's.
    const DWORD any = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    DWORD effect = any;
    target->DragEnter(data, 0, header, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = any;
    target->DragOver(MK_CONTROL, list, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = any;
    target->DragOver(0, list, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));  // both folders on the same drive
    effect = DROPEFFECT_COPY;
    target->DragOver(0, list, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));  // but the source allows copies only
    effect = DROPEFFECT_LINK;
    target->DragOver(0, list, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));

    // A copy-only source on the same drive gets its file copied, not moved.
    int before = FileJob::liveCount();
    effect = DROPEFFECT_COPY;
    target->Drop(data, 0, list, &effect);
    for (int i = 0; i < 200 && FileJob::liveCount() != before; ++i) program.pump(50);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(readFileBytes(dst / L"a.txt"), "abc");
    EXPECT_TRUE(fileExists(src / L"a.txt"));
    DeleteFileW((dst / L"a.txt").c_str());

    before = FileJob::liveCount();
    effect = any;
    target->Drop(data, 0, list, &effect);
    for (int i = 0; i < 200 && FileJob::liveCount() != before; ++i) program.pump(50);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_TRUE(fileExists(dst / L"a.txt"));
    EXPECT_FALSE(fileExists(src / L"a.txt"));

    OleDataSource* text = OleDataSource::create();  // no file list: nothing
    text->addGlobal(CF_UNICODETEXT, makeDropEffectBlock(0));
    effect = any;
    target->DragEnter(text, 0, list, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target->DragLeave();
    text->Release();
    data->Release();
    target->Release();
}
