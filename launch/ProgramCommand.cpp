#include "launch/ProgramCommand.h"
#include "common/PathUtil.h"

const wchar_t kProgramFilter[] = L"実行ファイル(*.exe;*.com;*.bat)\0*.exe;*.com;*.bat\0All Files (*.*)\0*.*\0";
const wchar_t kProgramExtension[] = L"exe";

StoredCommand commandForProgram(const std::wstring& programPath) {
    const size_t slash = programPath.rfind(L'\\');
    const std::wstring folder =
        slash == std::wstring::npos ? std::wstring() : withoutTrailingBackslash(programPath.substr(0, slash + 1));
    const bool blank = programPath.find(L' ') != std::wstring::npos;
    return {folder, (blank ? L"\"" + programPath + L"\"" : programPath) + L" $fqC"};
}
