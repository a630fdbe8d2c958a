#include "engine/held_path.h"

namespace vantrel {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

}  // namespace

std::vector<size_t> FolderEndsBelowRoot(const std::wstring& item_path, size_t root_length) {
    std::vector<size_t> ends;
    const bool root_known =
        root_length > 0 && root_length < item_path.size() &&
        (IsSeparator(item_path[root_length]) || IsSeparator(item_path[root_length - 1]));
    if (!root_known) {
        if (root_length != item_path.size()) {
            const size_t slash = item_path.find_last_of(L"\\/");
            if (slash != std::wstring::npos && slash > 0) {
                // The parent of "C:\x" is "C:\", not "C:" (the drive's current folder).
                const wchar_t before = item_path[slash - 1];
                ends.push_back(before == L':' || IsSeparator(before) ? slash + 1 : slash);
            }
        }
        return ends;
    }
    ends.push_back(root_length);
    for (size_t at = root_length + 1; at < item_path.size(); ++at) {
        if (IsSeparator(item_path[at])) {
            ends.push_back(at);
        }
    }
    return ends;
}

uint32_t HeldPath::HoldFor(const std::wstring& item_path, size_t root_length) {
    const std::vector<size_t> ends = FolderEndsBelowRoot(item_path, root_length);
    size_t kept = 0;
    while (kept < held_.size() && kept < ends.size() && held_[kept].size() == ends[kept] &&
           item_path.compare(0, ends[kept], held_[kept]) == 0) {
        ++kept;
    }
    fs_.ReleaseFolders(base_ + kept);
    held_.resize(kept);
    for (size_t at = kept; at < ends.size(); ++at) {
        std::wstring folder = item_path.substr(0, ends[at]);
        const uint32_t error = fs_.HoldFolder(folder);
        if (error != kErrorNone) {
            return error;
        }
        held_.push_back(std::move(folder));
    }
    return kErrorNone;
}

void HeldPath::Release() {
    fs_.ReleaseFolders(base_);
    held_.clear();
}

}  // namespace vantrel
