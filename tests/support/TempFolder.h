// Fresh folders for tests, each removed with everything in it at the end. They are made under a
// root of the test program's own, which holds nothing else, so what the platform's own dialogs
// walk on the way to them is small and known, whatever the machine's temp folders hold.
#pragma once
#include <string>

// C:\vantor-tests\<program>-<process id>: made on first use, removed with all it holds at exit.
const std::wstring& testRoot();
// A root like testRoot() on drive Z:, beside the test program in the build folder: for the tests
// that need a folder on another volume than testRoot()'s.
const std::wstring& otherDriveTestRoot();

class TempFolder {
public:
    // A fresh folder directly under `root`.
    explicit TempFolder(const std::wstring& root = testRoot());
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full path without a trailing backslash.
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

    // Creates a file with the given bytes (sub-folders must exist).
    void writeFile(const std::wstring& name, const std::string& bytes = {}) const;
    void makeFolder(const std::wstring& name) const;

private:
    std::wstring path_;
};

// Whole contents of a file as bytes; empty when it cannot be read.
std::string readFileBytes(const std::wstring& path);
bool fileExists(const std::wstring& path);
// UTF-16 text of a settings file without its byte-order mark (for looking at what was written).
std::wstring readUtf16File(const std::wstring& path);
