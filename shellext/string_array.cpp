#include "shellext/string_array.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

namespace vantrel::shell {

namespace {

constexpr int32_t kGrowth = 8;

wchar_t* CopyText(const wchar_t* text) {
    const size_t length = std::wcslen(text);
    auto* copy = static_cast<wchar_t*>(std::malloc((length + 1) * sizeof(wchar_t)));
    if (copy != nullptr) {
        std::memcpy(copy, text, (length + 1) * sizeof(wchar_t));
    }
    return copy;
}

}  // namespace

int32_t CStringArray::Add(const wchar_t* text) {
    if (text == nullptr) {
        text = L"";
    }
    if (count_ == capacity_) {
        if (capacity_ > INT32_MAX - kGrowth) {
            return -1;
        }
        const int32_t grown = capacity_ + kGrowth;
        auto** items = new (std::nothrow) wchar_t*[static_cast<size_t>(grown)]();
        if (items == nullptr) {
            return -1;
        }
        for (int32_t i = 0; i < count_; ++i) {
            items[i] = items_[i];
        }
        delete[] items_;
        items_ = items;
        capacity_ = grown;
    }
    wchar_t* copy = CopyText(text);
    if (copy == nullptr) {
        return -1;
    }
    items_[count_] = copy;
    return count_++;
}

void CStringArray::Clear() {
    for (int32_t i = 0; i < count_; ++i) {
        std::free(items_[i]);
    }
    delete[] items_;
    items_ = nullptr;
    capacity_ = 0;
    count_ = 0;
}

bool CStringArray::ResetWithCapacity(int32_t capacity) {
    Clear();
    if (capacity <= 0) {
        return true;
    }
    items_ = new (std::nothrow) wchar_t*[static_cast<size_t>(capacity)]();
    if (items_ == nullptr) {
        return false;
    }
    capacity_ = capacity;
    return true;
}

}  // namespace vantrel::shell
