#include "common/PathUtil.h"
#include "launch/MacroExpander.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

namespace {
// The result of one expansion, "<fails>" when it fails.
std::wstring expanded(const MacroScene& scene, const wchar_t* macro) {
    int consumed = 0;
    return MacroExpander(scene).expand(macro, consumed).value_or(L"<fails>");
}
MacroScene sceneOf(std::wstring folder, const wchar_t* cursor, std::vector<std::wstring> targets = {}) {
    return {std::move(folder), L"D:\\BACKUP", MacroEntry{cursor, std::wstring(cursor) == L".."}, std::move(targets)};
}
}  // namespace

TEST(MacroExpander, TypesModifiersAndQuoting) {
    const MacroScene work = sceneOf(L"C:\\WORK", L"My File.txt", {L"My File.txt"});
    const MacroScene marked = sceneOf(L"C:\\WORK", L"c.txt", {L"a.txt", L"b.txt"});
    const MacroScene parent = sceneOf(L"C:\\WORK", L".."), none{L"C:\\WORK", L"D:\\BACKUP", std::nullopt, {}};
    const struct { const MacroScene& scene; const wchar_t* macro; const wchar_t* result; } rows[] = {
        {work, L"notepad $C", L"notepad My File.txt"}, {work, L"$qC", L"\"My File.txt\""},
        {work, L"$fqC", L"\"C:\\WORK\\My File.txt\""}, {work, L"$qfC", L"\"C:\\WORK\\My File.txt\""},
        {work, L"$xC", L"My File"}, {work, L"$xqC", L"\"My File\""}, {work, L"$sqC", L"\"My File.txt\""},
        {work, L"$D", L"C:"}, {work, L"$P", L"C:\\WORK"}, {work, L"$oP", L"D:\\BACKUP"}, {work, L"$fxqoD", L"D:"},
        {work, L"$ofC", L"D:\\BACKUP\\My File.txt"}, {work, L"$qP", L"\"C:\\WORK\""}, {work, L"$fM", L"C:\\WORK\\My File.txt"},
        {work, L"$$", L"$"}, {work, L"100$", L"100$"}, {work, L"x$fq", L"x$fq"}, {work, L"a$Rb", L"ab"},
        {work, L"$B $a $q9", L"$B $a $q9"}, {marked, L"$A", L"a.txt b.txt"},
        {marked, L"$fqA", L"\"C:\\WORK\\a.txt\" \"C:\\WORK\\b.txt\""},
        {sceneOf(L"C:\\", L"x"), L"$fC $P $D", L"C:\\x C:\\ C:"},
        {sceneOf(L"\\\\srv\\share\\", L"x"), L"$fC $D", L"\\\\srv\\share\\x \\\\srv\\share"},
        {sceneOf(L"C:\\", L".profile"), L"[$xC]", L"[]"}, {sceneOf(L"C:\\", L"a.tar.gz"), L"$xC", L"a.tar"},
        {parent, L"$C", L"<fails>"}, {parent, L"$P $A", L"<fails>"}, {none, L"$C", L"<fails>"},
        {none, L"$M", L"<fails>"}, {none, L"cmd $D $$ $R", L"cmd C: $ "},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.scene.folder.c_str() << " " << r.macro);
        EXPECT_EQ(expanded(r.scene, r.macro), r.result);
    }
}

TEST(MacroExpander, RepetitionTakesTheTargetsInOrderAndNeverPastThem) {
    const MacroScene five = sceneOf(L"C:\\WORK", L"1", {L"5", L"3", L"1", L"4", L"2"});
    const struct { const wchar_t* macro; std::vector<std::wstring> runs; } rows[] = {
        {L"cmd $M", {L"cmd 5", L"cmd 3", L"cmd 1", L"cmd 4", L"cmd 2"}},
        {L"$M,$xM", {L"5,3", L"1,4"}},  // the third run would need a sixth target: it fails
        {L"cmd $C", {L"cmd 1"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.macro);
        std::vector<std::wstring> runs;
        int consumed = 0;
        do {
            const auto line = MacroExpander(five).expand(r.macro, consumed);
            if (!line) break;
            runs.push_back(*line);
        } while (MacroExpander::runsAgain(consumed, 5));
        EXPECT_EQ(runs, r.runs);
    }
}

TEST(MacroExpander, ShortFormsComeFromThePlatformOrFallBackToTheLongForm) {
    TempFolder temp;
    temp.writeFile(L"Long File Name.text");
    const std::wstring brief = shortPathName(temp / L"Long File Name.text");
    const std::wstring briefName = brief.substr(brief.rfind(L'\\') + 1);
    ASSERT_NE(briefName, L"Long File Name.text");  // the platform made a short name to check against
    MacroScene scene = sceneOf(temp.path(), L"Long File Name.text");
    scene.otherFolder = temp / L"gone";
    const struct { const wchar_t* macro; std::wstring result; } rows[] = {
        {L"$sC", briefName}, {L"$sfC", brief}, {L"$sP", shortPathName(temp.path())},
        {L"$sxC", briefName.substr(0, briefName.rfind(L'.'))}, {L"$soP", temp / L"gone"},
        {L"$sofC", temp / L"gone\\Long File Name.text"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.macro);
        EXPECT_EQ(expanded(scene, r.macro), r.result);
    }
    scene.cursor->name = L"Gone File Name.text";  // no short name to be had: the long name stands in
    EXPECT_EQ(expanded(scene, L"$sC"), L"Gone File Name.text");
}
