#include "ui/model/run_summary.h"

namespace vantrel {

namespace {

std::wstring Items(int64_t count, const NumberText& number) {
    return number(count) + (count == 1 ? L" item" : L" items");
}

}  // namespace

void RunTotals::Count(const FileItem& item, bool shown) {
    const int64_t bytes = item.size > 0 ? item.size : 0;
    if (item.status == ItemStatus::Done) {
        ++deleted;
        deleted_bytes += bytes;
        cleaned = true;
        return;
    }
    if (!shown) {
        return;
    }
    if (item.status == ItemStatus::None || item.status == ItemStatus::InProgress) {
        ++listed;
        listed_bytes += bytes;
    } else {
        cleaned = true;
    }
}

std::wstring TotalSizeText(int64_t bytes, const NumberText& number) {
    if (bytes < 1024) {
        return number(bytes < 0 ? 0 : bytes) + (bytes == 1 ? L" byte" : L" bytes");
    }
    static const wchar_t* const kUnits[] = {L" KB", L" MB", L" GB"};
    int64_t value = bytes / 1024;
    size_t unit = 0;
    while (value >= 10000 && unit + 1 < sizeof(kUnits) / sizeof(kUnits[0])) {
        value /= 1024;
        ++unit;
    }
    return number(value) + kUnits[unit];
}

std::wstring RunSummaryText(const RunTotals& totals, const NumberText& number) {
    std::wstring text;
    if (totals.cleaned) {
        text = L"Freed " + TotalSizeText(totals.deleted_bytes, number) + L" (" +
               Items(totals.deleted, number) + L" deleted)";
    } else if (totals.listed > 0) {
        text = L"A clean frees " + TotalSizeText(totals.listed_bytes, number) + L" (" +
               Items(totals.listed, number) + L")";
    } else {
        text = L"Nothing listed";
        if (totals.held_back > 0) {
            text += L", " + number(totals.held_back) + L" held back as too new";
        }
        return text;
    }
    if (totals.held_back > 0) {
        text += L"; " + number(totals.held_back) + L" held back as too new";
    }
    return text;
}

}  // namespace vantrel
