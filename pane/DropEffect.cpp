#include "pane/DropEffect.h"

DWORD effectAllowedBySource(DWORD chosen, DWORD allowed) {
    if (chosen == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    if (chosen & allowed) return chosen;
    if (chosen == DROPEFFECT_MOVE && (allowed & DROPEFFECT_COPY)) return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}
