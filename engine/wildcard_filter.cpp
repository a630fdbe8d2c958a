#include "engine/wildcard_filter.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace vantrel {
namespace {

constexpr wchar_t kDotlessStar = L'\x1A';
constexpr wchar_t kEscape = L'`';

// Code units compare as unsigned values (wchar_t is signed on some compilers).
using CodeUnit = std::make_unsigned_t<wchar_t>;

constexpr CodeUnit kUpperA = L'A';
constexpr CodeUnit kUpperZ = L'Z';
constexpr CodeUnit kCaseOffset = L'a' - L'A';

// Only the ASCII letters fold; "É" and "é" stay different.
CodeUnit Fold(wchar_t c) {
    const auto u = static_cast<CodeUnit>(c);
    return (u >= kUpperA && u <= kUpperZ) ? static_cast<CodeUnit>(u + kCaseOffset) : u;
}

// Reads one set item bound at p, a grave accent taking the next character literally.
// False when the pattern ends first.
bool ReadSetBound(const wchar_t*& p, CodeUnit& bound) {
    if (*p == kEscape) {
        ++p;
    }
    if (*p == 0) {
        return false;
    }
    bound = Fold(*p++);
    return true;
}

// Walks the set whose "[" is at open. Returns the position just past its "]", or nullptr
// when the pattern ends inside the set; *hit tells whether c lies in the set.
const wchar_t* WalkSet(const wchar_t* open, CodeUnit c, bool* hit) {
    const wchar_t* p = open + 1;
    bool complement = false;
    if (*p == L'!') {
        complement = true;
        ++p;
    }
    bool in_items = false;
    while (*p != L']') {
        CodeUnit low = 0;
        if (!ReadSetBound(p, low)) {
            return nullptr;
        }
        CodeUnit high = low;
        // A "-" after the first bound always makes a range, even before "]".
        if (*p == L'-') {
            ++p;
            if (!ReadSetBound(p, high)) {
                return nullptr;
            }
        }
        if (low <= c && c <= high) {
            in_items = true;
        }
    }
    *hit = in_items != complement;
    return p + 1;
}

// The pattern position after the element that starts at p (p is not at the end). An
// unclosed set runs to the end of the pattern.
const wchar_t* ElementEnd(const wchar_t* p) {
    if (*p == kEscape) {
        return p[1] != 0 ? p + 2 : p + 1;
    }
    if (*p == L'[') {
        bool hit = false;
        if (const wchar_t* end = WalkSet(p, 0, &hit)) {
            return end;
        }
        while (*p != 0) {
            ++p;
        }
        return p;
    }
    return p + 1;
}

// The plain backtracking matcher. Used only for names too long for the position table
// (longer than any path Windows accepts), where its cost is the price of exactness.
bool MatchByBacktracking(const wchar_t* p, const wchar_t* n) {
    for (;;) {
        switch (*p) {
            case 0:
                return *n == 0;
            case L'*':
            case kDotlessStar: {
                const wchar_t* last = n;
                while (*last != 0 && (*p == L'*' || *last != L'.')) {
                    ++last;
                }
                for (const wchar_t* tail = last;; --tail) {
                    if (MatchByBacktracking(p + 1, tail)) {
                        return true;
                    }
                    if (tail == n) {
                        return false;
                    }
                }
            }
            case L'!':
                return p[1] != 0 && !MatchByBacktracking(p + 1, n);
            case L'?':
                if (*n == 0) {
                    return false;
                }
                break;
            case L'[': {
                bool hit = false;
                const wchar_t* end = WalkSet(p, Fold(*n), &hit);
                if (end == nullptr || *n == 0 || !hit) {
                    return false;
                }
                p = end;
                ++n;
                continue;
            }
            case kEscape:
                if (p[1] == 0 || *n == 0 || Fold(p[1]) != Fold(*n)) {
                    return false;
                }
                ++p;
                break;
            default:
                if (*n == 0 || Fold(*p) != Fold(*n)) {
                    return false;
                }
                break;
        }
        ++p;
        ++n;
    }
}

// Longest name the position table covers: the longest path Windows handles at all.
constexpr std::size_t kMaxTableName = 32767;
constexpr std::size_t kWordBits = 64;
constexpr std::size_t kTableWords = (kMaxTableName + kWordBits) / kWordBits;

// The set of name positions 0..length (length = the end of the name) from which the
// rest of the pattern matches. Lives on the stack; only the words in use are touched.
class PositionSet {
  public:
    explicit PositionSet(std::size_t length) : length_(length), words_(length / kWordBits + 1) {
        for (std::size_t w = 0; w < words_; ++w) {
            bits_[w] = 0;
        }
    }

    bool Test(std::size_t pos) const { return (bits_[pos / kWordBits] >> (pos % kWordBits)) & 1; }
    void Insert(std::size_t pos) { bits_[pos / kWordBits] |= Bit(pos); }

    bool Empty() const {
        for (std::size_t w = 0; w < words_; ++w) {
            if (bits_[w] != 0) {
                return false;
            }
        }
        return true;
    }

    void Clear() {
        for (std::size_t w = 0; w < words_; ++w) {
            bits_[w] = 0;
        }
    }

    // pos is kept when pos + 1 was in the set: one name character consumed.
    void ShiftDown() {
        for (std::size_t w = 0; w < words_; ++w) {
            const std::uint64_t carry = w + 1 < words_ ? bits_[w + 1] << (kWordBits - 1) : 0;
            bits_[w] = (bits_[w] >> 1) | carry;
        }
    }

    // Keeps the positions for which keep(pos) holds.
    template <typename Keep>
    void Filter(const Keep& keep) {
        for (std::size_t w = 0; w < words_; ++w) {
            for (std::uint64_t rest = bits_[w]; rest != 0; rest &= rest - 1) {
                const auto bit = static_cast<std::size_t>(std::countr_zero(rest));
                if (!keep(w * kWordBits + bit)) {
                    bits_[w] &= ~(std::uint64_t{1} << bit);
                }
            }
        }
    }

    // Every position at or before the last one in the set: a star may swallow any run.
    void FillUpToLast() {
        std::size_t w = words_;
        while (w > 0 && bits_[w - 1] == 0) {
            --w;
        }
        if (w == 0) {
            return;
        }
        --w;
        const int top = static_cast<int>(kWordBits) - 1 - std::countl_zero(bits_[w]);
        bits_[w] = top == static_cast<int>(kWordBits) - 1 ? ~std::uint64_t{0}
                                                          : (std::uint64_t{1} << (top + 1)) - 1;
        for (std::size_t lower = 0; lower < w; ++lower) {
            bits_[lower] = ~std::uint64_t{0};
        }
    }

    // Like FillUpToLast, but a run may not cross a dot of the name.
    void FillWithinDotlessRuns(const wchar_t* name) {
        bool reachable = false;
        for (std::size_t pos = length_ + 1; pos-- > 0;) {
            if (pos < length_ && name[pos] == L'.') {
                reachable = false;
            }
            reachable = reachable || Test(pos);
            if (reachable) {
                Insert(pos);
            }
        }
    }

    void Complement() {
        for (std::size_t w = 0; w < words_; ++w) {
            bits_[w] = ~bits_[w];
        }
        const std::size_t used = length_ % kWordBits + 1;
        if (used < kWordBits) {
            bits_[words_ - 1] &= (std::uint64_t{1} << used) - 1;
        }
    }

  private:
    static std::uint64_t Bit(std::size_t pos) { return std::uint64_t{1} << (pos % kWordBits); }

    std::size_t length_;
    std::size_t words_;
    std::array<std::uint64_t, kTableWords> bits_;
};

// Turns the positions from which the pattern after element p matches into the positions
// from which the pattern from p on matches.
void ApplyElement(const wchar_t* p, const wchar_t* name, PositionSet& rest) {
    switch (*p) {
        case L'*':
            rest.FillUpToLast();
            return;
        case kDotlessStar:
            rest.FillWithinDotlessRuns(name);
            return;
        case L'!':
            if (p[1] == 0) {
                rest.Clear();
            } else {
                rest.Complement();
            }
            return;
        case L'?':
            rest.ShiftDown();
            return;
        case L'[': {
            bool hit = false;
            if (WalkSet(p, 0, &hit) == nullptr) {
                rest.Clear();
                return;
            }
            rest.ShiftDown();
            rest.Filter([p, name](std::size_t pos) {
                bool in_set = false;
                WalkSet(p, Fold(name[pos]), &in_set);
                return in_set;
            });
            return;
        }
        case kEscape:
            if (p[1] == 0) {
                rest.Clear();
                return;
            }
            ++p;
            break;
        default:
            break;
    }
    const CodeUnit literal = Fold(*p);
    rest.ShiftDown();
    rest.Filter([literal, name](std::size_t pos) { return Fold(name[pos]) == literal; });
}

// Exact result of the backtracking matcher in O(elements x name length): every element
// moves the pattern forward, so the positions from which each pattern suffix matches can
// be computed from the last element back to the first.
bool MatchByPositions(const wchar_t* pattern, const wchar_t* name, std::size_t length) {
    constexpr std::size_t kChunk = 64;
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::array<const wchar_t*, kChunk> starts;  // filled before use
    std::size_t total = 0;
    std::size_t first_negation = kNone;
    for (const wchar_t* p = pattern; *p != 0; p = ElementEnd(p)) {
        if (total < kChunk) {
            starts[total] = p;
        }
        if (*p == L'!' && first_negation == kNone) {
            first_negation = total;
        }
        ++total;
    }

    PositionSet rest(length);
    rest.Insert(length);
    // Elements are taken back to front in chunks whose starts are found by a new forward
    // pass, so long patterns need no storage beyond the chunk.
    for (std::size_t high = total; high > 0;) {
        const std::size_t low = high > kChunk ? high - kChunk : 0;
        if (total > kChunk) {
            std::size_t index = 0;
            for (const wchar_t* p = pattern; index < high; p = ElementEnd(p), ++index) {
                if (index >= low) {
                    starts[index - low] = p;
                }
            }
        }
        for (std::size_t k = high; k-- > low;) {
            ApplyElement(starts[k - low], name, rest);
            // Without a negation further left nothing can bring a position back.
            if (rest.Empty() && (first_negation == kNone || first_negation >= k)) {
                return false;
            }
        }
        high = low;
    }
    return rest.Test(0);
}

bool AnyMatches(const std::vector<std::wstring>& patterns, const wchar_t* name) {
    for (const std::wstring& pattern : patterns) {
        if (MatchWildcard(pattern.c_str(), name)) {
            return true;
        }
    }
    return false;
}

// Cuts text at every ";", dropping empty pieces and keeping all others exactly as written.
void SplitPatterns(const std::wstring& text, std::vector<std::wstring>& list) {
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find(L';', begin);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        if (end > begin) {
            list.emplace_back(text, begin, end - begin);
        }
        begin = end + 1;
    }
}

}  // namespace

bool MatchWildcard(const wchar_t* pattern, const wchar_t* name) {
    if (pattern == nullptr || name == nullptr) {
        return false;
    }
    std::size_t length = 0;
    while (name[length] != 0 && length <= kMaxTableName) {
        ++length;
    }
    if (length > kMaxTableName) {
        return MatchByBacktracking(pattern, name);
    }
    return MatchByPositions(pattern, name, length);
}

void WildcardFilter::SetPatterns(const wchar_t* include_text, const wchar_t* exclude_text) {
    include_text_ = include_text != nullptr ? include_text : L"";
    exclude_text_ = exclude_text != nullptr ? exclude_text : L"";
    include_list_.clear();
    exclude_list_.clear();
    SplitPatterns(include_text_, include_list_);
    SplitPatterns(exclude_text_, exclude_list_);
}

bool WildcardFilter::Matches(const wchar_t* name) const {
    if (name == nullptr || include_text_.empty()) {
        return false;
    }
    if (include_text_ != L"*" && !AnyMatches(include_list_, name)) {
        return false;
    }
    if (exclude_text_ == L"*") {
        return false;
    }
    return exclude_text_.empty() || !AnyMatches(exclude_list_, name);
}

}  // namespace vantrel
