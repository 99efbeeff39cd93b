// A fresh folder under the system's temp folder, removed with everything in it at the end.
#pragma once
#include <string>

class TempFolder {
public:
    TempFolder();
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
