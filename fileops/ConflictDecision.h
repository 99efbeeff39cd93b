// The answer to a job's same-name questions, kept for the whole job: the last choice of each kind
// is offered again at the next question, and "apply to all" answers later questions unasked.
#pragma once
#include <string>

// The choices, numbered as the radio buttons of the same-name dialog that stand for them.
enum ConflictChoice : int {
    kOnlyNewer = 1004,          // files only
    kOverwrite = 1005,          // folders: merge into the existing one
    kRename = 1006,
    kSkip = 1007,
    kDeleteThenTransfer = 1008, // folders only
};

struct ConflictDecision {
    virtual ~ConflictDecision() = default;

    int fileApplyToAll = 0;
    int folderApplyToAll = 0;
    int fileDecision = kOverwrite;
    int folderDecision = kOverwrite;
    std::wstring source;   // the item being transferred
    std::wstring target;   // the existing item of the same name
    std::wstring newName;  // the name to transfer under when renaming
};
