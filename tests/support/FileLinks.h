// Real links and drives for tests: symbolic links made by the host system's own tool when running
// under Wine (whose link calls make nothing), the platform's symbolic links otherwise; drive letters
// for a folder; and a small drive of its own to fill up.
#pragma once
#include <string>

// Makes `link` lead to `target` (a folder or a file); false when it could not be made.
bool makeLink(const std::wstring& link, const std::wstring& target);
// Removes a link made by makeLink, never what it leads to.
bool removeLink(const std::wstring& link);
// Gives `path` the Unix permission bits `mode` ("0400") under Wine; false elsewhere or when the host
// tool cannot be started. The change lands a moment later: callers wait for what they need of it.
bool setHostMode(const std::wstring& path, const char* mode);
// A second drive letter for `folder` ("Y:" and so on, the first free one from Y: down); empty when
// none could be mapped. unmapDrive takes it away again.
std::wstring mapDrive(const std::wstring& folder);
void unmapDrive(const std::wstring& drive);

// A small empty file system of its own, under a drive letter, for filling up: a memory file system
// mounted by the host (which needs the right to mount). drive() is empty when it could not be had.
class SmallDrive {
public:
    explicit SmallDrive(unsigned kilobytes);
    ~SmallDrive();
    SmallDrive(const SmallDrive&) = delete;
    SmallDrive& operator=(const SmallDrive&) = delete;
    const std::wstring& drive() const { return drive_; }  // "Y:"

private:
    std::wstring folder_, drive_;
    bool mounted_ = false;
};
