// What the platform underneath the program can do, where Windows and the platforms that run its
// programs (Wine) differ. Each answer is found once, the first time it is asked for, by trying the
// call on a scratch folder of its own; the file layer asks here and never guesses from the
// platform's name.
#pragma once

struct PlatformAbilities {
    // CopyFileExW calls its progress routine, so a copy through it shows its bytes and can be
    // cancelled within a file.
    bool copyReportsProgress = false;
    // Opening with FILE_FLAG_OPEN_REPARSE_POINT opens a link (junction, symbolic link, mount
    // point) itself, not what it leads to.
    bool opensLinksThemselves = false;
    // SetFileInformationByHandle takes FileDispositionInfoEx with POSIX semantics: the name goes at
    // once, even while another program holds the file open. A volume may still refuse it (FAT).
    bool posixDelete = false;
    // Files have named streams besides their data (NTFS's alternate data streams): the block loop
    // then copies them. Where none can exist it does not ask for them per file.
    bool namedStreams = false;
};

const PlatformAbilities& platformAbilities();

// Puts other answers in place while it lives, so a test can run each branch the host can execute.
// Only for a test's own thread while no job runs.
class PlatformAbilitiesOverride {
public:
    explicit PlatformAbilitiesOverride(const PlatformAbilities& abilities);
    ~PlatformAbilitiesOverride();
    PlatformAbilitiesOverride(const PlatformAbilitiesOverride&) = delete;
    PlatformAbilitiesOverride& operator=(const PlatformAbilitiesOverride&) = delete;

private:
    const PlatformAbilities* previous_;
    PlatformAbilities abilities_;
};
