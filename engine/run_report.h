#pragma once

#include <string>
#include <vector>

#include "engine/items.h"

namespace vantrel {

// The two lists' records as a run left them, each in list order.
struct RunRows {
    std::vector<FolderItem> folders;
    std::vector<FileItem> files;
};

// How a run ended besides what its rows show.
struct RunEnd {
    bool stopped = false;   // Stop, or a close request while busy
    bool declined = false;  // the "all items" question was answered No
    bool broken = false;    // the run or its end failed on an error of its own (no memory)
};

// The process exit code of a program started with a command line that ran a Scan or a
// Scan & Clean. A plain start, "Clean Later" and the usage box exit with ExitDone.
enum RunExitCode : int {
    ExitDone = 0,              // every listed item deleted (or already gone), or nothing matched
    ExitFailed = 1,            // at least one item "Failed"
    ExitReadOnlyKept = 2,      // at least one item kept "Read-only" (forcing off), none failed
    ExitStopped = 3,           // stopped, the "all items" question answered No, or no run ended
    ExitNoFolder = 4,          // no folder of the command line exists
    ExitReportNotWritten = 5,  // the run succeeded but its -report file could not be written
};

// The exit code of a run that ended, by precedence: no folder scanned (every folder row
// "Not exists", or none at all), stopped or declined, failed (an item, or the run itself),
// read-only kept; a report that
// could not be written only turns ExitDone into ExitReportNotWritten.
int RunExitCodeFor(const RunEnd& end, const RunRows& rows, bool report_written);

// UTF-8 of a UTF-16 string (a wchar_t string on platforms where wchar_t holds 32 bits is
// taken as code points). An unpaired surrogate, which Windows allows in names, becomes U+FFFD.
std::string Utf8FromWide(const std::wstring& text);

// One CSV field: quoted, with its quotes doubled, when it holds a comma, a quote, a line
// break or a blank at either end; otherwise as is.
std::string CsvField(const std::string& field);

// The report of a run: a header row, then one row per file-list record in list order with the
// status text as the list shows it, the kind ("file" or "folder"), the size in bytes (a
// file's from the listing, a matched folder's total; empty for an empty folder or an unknown
// size), the full path and the reason a "Failed"
// item failed (empty otherwise). UTF-8, lines end in CRLF.
std::string ReportCsv(const std::vector<FileItem>& rows);

}  // namespace vantrel
