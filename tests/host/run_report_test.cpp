#include <gtest/gtest.h>

#include "engine/run_report.h"

namespace vantrel {
namespace {

using S = ItemStatus;

RunRows Rows(std::vector<S> folders, std::vector<S> files) {
    RunRows rows;
    for (S status : folders) {
        rows.folders.push_back(FolderItem{L"C:\\f", 0, status});
    }
    for (S status : files) {
        rows.files.push_back(FileItem{L"C:\\f\\x", 1, 0, status});
    }
    return rows;
}

TEST(RunReportTest, ExitCodePrecedenceTable) {
    const struct {
        const char* what;
        std::vector<S> folders;
        std::vector<S> files;
        RunEnd end;
        bool written;
        int code;
    } cases[] = {
        {"all deleted or gone", {S::Done}, {S::Done, S::NotExists}, {}, true, ExitDone},
        {"nothing matched", {S::Done}, {}, {}, true, ExitDone},
        {"a scan alone", {S::Done, S::NotExists}, {S::None}, {}, true, ExitDone},
        {"read-only kept", {S::Done}, {S::Done, S::ReadOnly}, {}, true, ExitReadOnlyKept},
        {"failed beats read-only", {S::Done}, {S::ReadOnly, S::Failed}, {}, true, ExitFailed},
        {"stopped beats failed", {S::Done}, {S::Failed, S::None}, {true, false}, true, ExitStopped},
        {"declined", {S::Declined}, {}, {false, true}, true, ExitStopped},
        {"a broken scan fails", {S::Done}, {S::None}, {false, false, true}, true, ExitFailed},
        {"no folder row", {}, {}, {}, true, ExitNoFolder},
        {"every folder missing",
         {S::NotExists, S::NotExists},
         {},
         {true, false},
         false,
         ExitNoFolder},
        {"report lost on success", {S::Done}, {S::Done}, {}, false, ExitReportNotWritten},
        {"report lost keeps failure", {S::Done}, {S::Failed}, {}, false, ExitFailed},
        {"report lost keeps stop", {S::None}, {}, {true, false}, false, ExitStopped},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunExitCodeFor(c.end, Rows(c.folders, c.files), c.written), c.code) << c.what;
    }
}

TEST(RunReportTest, CsvRowsQuoteAndEncodeTable) {
    const struct {
        FileItem item;
        const char* line;
    } cases[] = {
        {{L"C:\\b\\a.o", 1023, 0x20, S::Done}, "Deleted,file,1023,C:\\b\\a.o,"},
        {{L"C:\\b\\Debug", 7340032, 0x10, S::Failed, L"Access is denied."},
         "Failed,folder,7340032,C:\\b\\Debug,Access is denied."},
        {{L"C:\\b\\l.o", 5, 0, S::Failed, L"In use, by \"build\""},
         "Failed,file,5,C:\\b\\l.o,\"In use, by \"\"build\"\"\""},
        {{L"C:\\b\\e", -1, 0x11, S::ReadOnly}, "Read-only,folder,,C:\\b\\e,"},
        {{L"C:\\b\\n", -1, 0, S::None}, ",file,,C:\\b\\n,"},
        {{L"C:\\b\\4g", 4294967296LL, 0, S::NotExists}, "Not exists,file,4294967296,C:\\b\\4g,"},
        {{L"C:\\a,b\\x.o", 0, 0, S::Done}, "Deleted,file,0,\"C:\\a,b\\x.o\","},
        {{L"C:\\say \"hi\".o", 0, 0, S::Done}, "Deleted,file,0,\"C:\\say \"\"hi\"\".o\","},
        {{L"C:\\line\r\nbreak", 0, 0, S::Done}, "Deleted,file,0,\"C:\\line\r\nbreak\","},
        {{L" lead", 0, 0, S::Done}, "Deleted,file,0,\" lead\","},
        {{L"C:\\R\u00E9sum\u00E9\u20AC", 0, 0, S::Done},
         "Deleted,file,0,C:\\R\xC3\xA9sum\xC3\xA9\xE2\x82\xAC,"},
        {{L"C:\\\xD83D\xDE00.o", 0, 0, S::Done}, "Deleted,file,0,C:\\\xF0\x9F\x98\x80.o,"},
        {{L"C:\\\xD83Dx\xDE00", 0, 0, S::Done}, "Deleted,file,0,C:\\\xEF\xBF\xBDx\xEF\xBF\xBD,"},
    };
    std::vector<FileItem> rows;
    std::string expected = "Status,Kind,Size,Path,Reason\r\n";
    for (const auto& c : cases) {
        rows.push_back(c.item);
        expected += std::string(c.line) + "\r\n";
        EXPECT_EQ(ReportCsv({c.item}),
                  "Status,Kind,Size,Path,Reason\r\n" + std::string(c.line) + "\r\n")
            << c.line;
    }
    EXPECT_EQ(ReportCsv(rows), expected);  // one row per record, in order
}

}  // namespace
}  // namespace vantrel
