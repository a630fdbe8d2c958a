#pragma once

#include <cstdint>

namespace vantrel::shell {

// A small growable array of owned, NUL-terminated UTF-16 strings (the folder list of a
// context menu). Grows by 8 pointers at a time; each string is a heap copy.
class CStringArray {
  public:
    CStringArray() = default;
    ~CStringArray() { Clear(); }
    CStringArray(const CStringArray&) = delete;
    CStringArray& operator=(const CStringArray&) = delete;

    // Appends a copy of text; returns its index, or -1 when memory runs out (the array is
    // then unchanged).
    int32_t Add(const wchar_t* text);
    // Frees every string and the pointer array; capacity and count become 0.
    void Clear();
    // Clears the array and makes room for exactly capacity strings; false when memory runs
    // out (the array is then empty with no room).
    bool ResetWithCapacity(int32_t capacity);

    int32_t Count() const { return count_; }
    int32_t Capacity() const { return capacity_; }
    const wchar_t* At(int32_t index) const { return items_[index]; }

  private:
    int32_t capacity_ = 0;
    int32_t count_ = 0;
    wchar_t** items_ = nullptr;
};

}  // namespace vantrel::shell
