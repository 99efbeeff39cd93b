// Work on a thread of the platform's own that nobody waits for: the thread holds what `work`
// captures until it is done. (The runtime's detached threads have been seen to start with their
// state lost when many come and go.)
#pragma once
#include <functional>

// Starts `work` on such a thread; false, with `work` not run, when no thread could be had.
bool runDetached(std::function<void()> work);
