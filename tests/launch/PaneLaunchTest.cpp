#include "support/RunningProgram.h"
#include "support/TempFolder.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <functional>

TEST(PaneLaunch, CommandsStartTheirProgramsForTheCursorEntry) {
    TempFolder work, tools;
    work.writeFile(L"readme.txt");
    work.writeFile(L"run.bat", "@cd > opened.out\r\n");
    RunningProgram program;
    ASSERT_TRUE(program.start(work.path()));
    CVantorView& pane = program.pane(0);
    SettingsFile& values = program.app().settings();
    wchar_t comSpec[MAX_PATH] = {};
    GetEnvironmentVariableW(L"ComSpec", comSpec, MAX_PATH);
    const struct { const wchar_t* cursor; std::function<void()> run; std::wstring output, text; } rows[] = {
        {L"readme.txt", [&] { values.editorMacro = L"cmd /c echo $C> edit.out"; program.command(ID_FILE_EDIT); },
         work / L"edit.out", L"readme.txt"},
        {L"readme.txt", [&] { values.viewerMacro = L"cmd /c echo $fC> view.out"; values.viewerDir = tools.path();
                              program.command(ID_FILE_VIEW); }, tools / L"view.out", work / L"readme.txt"},
        {L"readme.txt", [&] { pane.onMacroParameter(tools.path() + L"|cmd /c echo $C^|x> p.out"); },
         tools / L"p.out", L"readme.txt|x"},
        {L"..", [&] { pane.onMacroParameter(L"|cmd /c cd> q.out"); }, work / L"q.out", work.path()},
        {L"readme.txt", [&] { SetEnvironmentVariableW(L"ComSpec", L"cmd /c echo $qC> dos.out");
                              program.command(ID_MACRO_DOS);
                              SetEnvironmentVariableW(L"ComSpec", comSpec); }, work / L"dos.out", L"\"readme.txt\""},
        {L"run.bat", [&] { program.command(ID_FILE_OPEN_APP); }, work / L"opened.out", work.path()},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.output.begin(), r.output.end()));
        pane.setCursor(pane.listing().index().findName(r.cursor, 0));
        r.run();
        std::string text;
        for (int waited = 0; waited < 10000 && text.find('\n') == std::string::npos; waited += 50, Sleep(50))
            text = readFileBytes(r.output);
        EXPECT_EQ(text, std::string(r.text.begin(), r.text.end()) + "\r\n");
    }
    // Folders are entered, not handed to a program.
    work.makeFolder(L"sub");
    pane.listing().refresh();
    pane.setCursor(pane.listing().index().findName(L"sub", 0));
    program.command(ID_FILE_VIEW);
    EXPECT_EQ(pane.folder(), work / L"sub");
}
