#pragma once

#include <cstdint>

namespace vantrel {

// FILETIME units (100 ns) in one day.
inline constexpr uint64_t kFileTimeUnitsPerDay = 864000000000ULL;

// The current time in FILETIME units (100 ns since 1601-01-01 UTC).
uint64_t FileTimeNow();

// Which last-write times are old enough for a run that lists only items unchanged for at
// least `days` days, counted back from `now`. Off (everything old enough) when days is 0.
class AgeLimit {
  public:
    AgeLimit(uint32_t days, uint64_t now);

    bool Active() const { return active_; }
    // True when an item whose newest last-write time is `newest` may be listed. An unknown
    // time (0) counts as changed now, and so does a time in the future.
    bool OldEnough(uint64_t newest) const;

  private:
    bool active_ = false;
    bool reachable_ = true;  // false when `days` reaches back before 1601: nothing is old enough
    uint64_t cutoff_ = 0;    // the newest time that is old enough
};

}  // namespace vantrel
