#pragma once

#include <string>

namespace vantrel {

// What a run lists and deletes: the filter and the switches as the engine takes them. The
// defaults are those of a new options record (every switch on but the two "empty" ones).
struct RunOptions {
    std::wstring filter;
    bool scan_subfolders = true;
    bool delete_files = true;
    bool delete_folders = true;
    bool delete_empty_files = false;
    bool delete_empty_folders = false;
    bool delete_read_only = true;
    bool recycle = true;
};

}  // namespace vantrel
