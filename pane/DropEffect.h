// What a drop on a pane may do once the drag's source has had its say.
#pragma once
#include <windows.h>
#include <oleidl.h>

// The effect to use when the pane chose `chosen` and the source allows `allowed` (DROPEFFECT_*
// bits): the choice itself when allowed; a copy in place of a move the source forbids; otherwise
// nothing. A copy is never turned into a move, which would take the files from where the user
// meant to leave them.
DWORD effectAllowedBySource(DWORD chosen, DWORD allowed);
