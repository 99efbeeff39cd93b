// Owner of a platform accelerator table (CreateAcceleratorTable / DestroyAcceleratorTable).
#pragma once
#include "framework/Handles.h"
#include <windows.h>

struct AcceleratorTableTraits {
    static HACCEL empty() { return nullptr; }
    static void close(HACCEL h) { DestroyAcceleratorTable(h); }
};
using AcceleratorHandle = UniqueResource<HACCEL, AcceleratorTableTraits>;
