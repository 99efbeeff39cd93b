#include "listing/RereadPacer.h"

std::optional<uint32_t> RereadPacer::noteChange(uint64_t now, bool reading) {
    if (scheduled_) return std::nullopt;
    if (reading) {
        // The read in flight may have passed the change already: one more read follows it.
        queued_ = true;
        return std::nullopt;
    }
    const uint64_t since = now - lastEnd_;
    const uint32_t delay = since >= lastTook_ ? 0 : static_cast<uint32_t>(lastTook_ - since);
    scheduled_ = delay > 0;
    return delay;
}

std::optional<uint32_t> RereadPacer::readEnded(uint64_t now, uint32_t took) {
    lastEnd_ = now;
    lastTook_ = took;
    if (!queued_) return std::nullopt;
    queued_ = false;
    scheduled_ = took > 0;
    return took;
}
