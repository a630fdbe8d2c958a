#include "config/cleaning_options.h"

namespace vantrel {

namespace {

struct SwitchBit {
    int32_t CleaningOptions::*field;
    uint32_t bit;
};

constexpr SwitchBit kSwitchBits[] = {
    {&CleaningOptions::DeleteFiles, DeleteFilesFlag},
    {&CleaningOptions::DeleteFolders, DeleteFoldersFlag},
    {&CleaningOptions::DeleteEmptyFiles, DeleteEmptyFilesFlag},
    {&CleaningOptions::DeleteEmptyFolders, DeleteEmptyFoldersFlag},
    {&CleaningOptions::ScanSubfolders, ScanSubfoldersFlag},
    {&CleaningOptions::DeleteReadOnlys, DeleteReadOnlysFlag},
    {&CleaningOptions::RecycleFiles, RecycleFilesFlag},
};

}  // namespace

uint32_t CleaningOptions::PackFlags() const {
    uint32_t flags = 0;
    for (const SwitchBit& s : kSwitchBits) {
        if (this->*s.field != 0) {
            flags |= s.bit;
        }
    }
    return flags;
}

void CleaningOptions::UnpackFlags(uint32_t flags) {
    for (const SwitchBit& s : kSwitchBits) {
        this->*s.field = (flags & s.bit) != 0 ? 1 : 0;
    }
}

RunOptions CleaningOptions::ForRun() const {
    RunOptions run;
    run.filter = Filter;
    run.keep = Keep;
    run.older_than_days = OlderThanDays > 0 ? static_cast<uint32_t>(OlderThanDays) : 0;
    run.scan_subfolders = ScanSubfolders != 0;
    run.delete_files = DeleteFiles != 0;
    run.delete_folders = DeleteFolders != 0;
    run.delete_empty_files = DeleteEmptyFiles != 0;
    run.delete_empty_folders = DeleteEmptyFolders != 0;
    run.delete_read_only = DeleteReadOnlys != 0;
    run.recycle = RecycleFiles != 0;
    return run;
}

}  // namespace vantrel
