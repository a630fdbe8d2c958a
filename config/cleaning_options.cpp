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

}  // namespace vantrel
