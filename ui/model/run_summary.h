#pragma once

// The line under the file list that sums up the last run (portable): after a scan, what a
// clean would free and how many items were held back as too new; after a clean, what it
// freed. The window counts its rows into RunTotals and shows RunSummaryText.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/items.h"

namespace vantrel {

struct RunTotals {
    int64_t listed = 0;        // shown rows still waiting for a clean
    int64_t listed_bytes = 0;  // what deleting them frees
    int64_t deleted = 0;       // rows that ended "Deleted", also those taken out since
    int64_t deleted_bytes = 0;
    bool cleaned = false;   // some row has an outcome: a clean worked through the list
    int64_t held_back = 0;  // items the age left out, over every folder

    // Counts one file-list record; `shown` is false for a row taken out of the list. An
    // empty folder (size -1) frees nothing measurable; a matched folder frees its total.
    void Count(const FileItem& item, bool shown);
};

// Groups the digits of a number as the user's locale does.
using NumberText = std::function<std::wstring(int64_t)>;

// A size to read at a glance: bytes below 1 KB, then whole KB, MB or GB, the unit going up
// once the number would reach five digits.
std::wstring TotalSizeText(int64_t bytes, const NumberText& number);

// "A clean frees 37 KB (6 items)", "Freed 37 KB (6 items deleted)", or "Nothing listed";
// "; 2 held back as too new" is added (", 2 held back as too new" after "Nothing listed")
// when the age left items out.
std::wstring RunSummaryText(const RunTotals& totals, const NumberText& number);

}  // namespace vantrel
