// The folder each pane last showed on each drive letter a to z; kept in memory for the run only.
#pragma once
#include <array>
#include <string>

class DriveFolderTable {
public:
    // Stores the folder under its drive letter; a folder that does not start with a letter is ignored.
    void remember(const std::wstring& folder);
    // The folder last shown on the drive; the drive's root ("c:\" keeps the letter's case) the first time.
    // A character that is not a letter gives an empty text.
    std::wstring recall(wchar_t letter);

private:
    std::array<std::wstring, 26> folders_;
};
