#include "engine/item_age.h"

#include <chrono>

namespace vantrel {

namespace {

// FILETIME units between 1601-01-01 and the system clock's epoch, 1970-01-01.
constexpr uint64_t kUnixEpochInFileTime = 116444736000000000ULL;

}  // namespace

uint64_t FileTimeNow() {
    using Units = std::chrono::duration<int64_t, std::ratio<1, 10000000>>;
    const int64_t since_epoch =
        std::chrono::duration_cast<Units>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    return kUnixEpochInFileTime + static_cast<uint64_t>(since_epoch > 0 ? since_epoch : 0);
}

AgeLimit::AgeLimit(uint32_t days, uint64_t now) : active_(days > 0) {
    if (!active_) {
        return;
    }
    // Compared by division first, so that a huge number of days cannot overflow.
    reachable_ = days <= now / kFileTimeUnitsPerDay;
    cutoff_ = reachable_ ? now - days * kFileTimeUnitsPerDay : 0;
}

bool AgeLimit::OldEnough(uint64_t newest) const {
    if (!active_) {
        return true;
    }
    return reachable_ && newest != 0 && newest <= cutoff_;
}

}  // namespace vantrel
