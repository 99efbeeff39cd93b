// The free space shown in a pane's status line, found out on a thread of its own: on a share the
// question is a round trip, and on one that stopped answering it waits until the redirector gives
// up. The pane asks once its listing shows the folder and shows the answer when it comes.
#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class FreeSpaceQuestion {
public:
    FreeSpaceQuestion();
    // Asks for `folder`'s free space; `message` is posted to `window` when the answer is in. While
    // a question is out, only the folder last asked for waits behind it, so a dead share holds one
    // thread and no more.
    void ask(HWND window, UINT message, const std::wstring& folder);
    // Takes the answer for `folder` once it came: the bytes free to the user, -1 when the platform
    // could not tell.
    std::optional<int64_t> take(const std::wstring& folder);
    // Whether a question is out or its answer not yet taken.
    bool pending() const;

    struct State;

private:
    std::shared_ptr<State> state_;
};
