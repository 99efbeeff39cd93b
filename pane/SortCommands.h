// The sort commands and the sort types they choose.
#pragma once
#include "resource.h"

// Sort type of a sort command (SORT_NONE .. SORT_SIZE_SMALL); -1 for any other command.
constexpr int sortTypeOfCommand(unsigned id) {
    switch (id) {
    case ID_SORT_NONE: return 0;
    case ID_SORT_FILENAME: return 1;
    case ID_SORT_FILE_EXT: return 3;
    case ID_SORT_TIME_NEW: return 8;
    case ID_SORT_TIME_OLD: return 7;
    case ID_SORT_SIZE_BIG: return 6;
    case ID_SORT_SIZE_SMALL: return 5;
    default: return -1;
    }
}

// The folders-first bit of the group mask.
constexpr unsigned kFoldersFirst = 0x10;
