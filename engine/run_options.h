#pragma once

#include <string>

namespace vantrel {

// What a run lists and deletes: the filter and the switches as the engine takes them. The
// defaults are those of a new options record (every switch on but the two "empty" ones).
struct RunOptions {
    std::wstring filter;
    // Names never listed nor entered (the filter's syntax); empty keeps nothing.
    std::wstring keep;
    // Only items whose newest last-write time is at least this many days old are listed.
    uint32_t older_than_days = 0;
    // The moment ages are counted back from, in FILETIME units; 0 takes the clock when a
    // folder's scan begins.
    uint64_t now = 0;
    bool scan_subfolders = true;
    bool delete_files = true;
    bool delete_folders = true;
    bool delete_empty_files = false;
    bool delete_empty_folders = false;
    bool delete_read_only = true;
    bool recycle = true;
};

}  // namespace vantrel
