#include "engine/wildcard_filter.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// The pattern language evaluated by plain backtracking, exactly as it reads: the
// yardstick for the bounded matcher. Exponential in the number of stars.
wchar_t RefFold(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
}

bool RefLess(wchar_t a, wchar_t b) {
    return static_cast<unsigned long>(RefFold(a)) <= static_cast<unsigned long>(RefFold(b));
}

bool RefMatch(const std::wstring& p, std::size_t i, const std::wstring& n, std::size_t j) {
    for (;;) {
        if (i == p.size()) {
            return j == n.size();
        }
        const wchar_t pc = p[i];
        if (pc == L'*' || pc == L'\x1A') {
            std::size_t first = j;
            while (first < n.size() && (pc == L'*' || n[first] != L'.')) {
                ++first;
            }
            for (std::size_t tail = first + 1; tail-- > j;) {
                if (RefMatch(p, i + 1, n, tail)) {
                    return true;
                }
            }
            return false;
        }
        if (pc == L'!') {
            return i + 1 < p.size() && !RefMatch(p, i + 1, n, j);
        }
        if (pc == L'[') {
            std::size_t k = i + 1;
            bool complement = k < p.size() && p[k] == L'!';
            if (complement) {
                ++k;
            }
            bool found = false;
            bool closed = false;
            while (k < p.size()) {
                if (p[k] == L']') {
                    closed = true;
                    ++k;
                    break;
                }
                if (p[k] == L'`' && ++k == p.size()) {
                    break;
                }
                const wchar_t low = p[k++];
                wchar_t high = low;
                if (k < p.size() && p[k] == L'-') {
                    if (++k < p.size() && p[k] == L'`') {
                        ++k;
                    }
                    if (k >= p.size()) {
                        break;
                    }
                    high = p[k++];
                }
                if (j < n.size() && RefLess(low, n[j]) && RefLess(n[j], high)) {
                    found = true;
                }
            }
            if (!closed || j == n.size() || found == complement) {
                return false;
            }
            i = k;
            ++j;
            continue;
        }
        if (pc == L'`') {
            if (++i == p.size()) {
                return false;
            }
        }
        if (j == n.size() || (pc != L'?' && RefFold(p[i]) != RefFold(n[j]))) {
            return false;
        }
        ++i;
        ++j;
    }
}

bool Ref(const std::wstring& pattern, const std::wstring& name) {
    return RefMatch(pattern, 0, name, 0);
}

struct MatchCase {
    const wchar_t* pattern;
    const wchar_t* name;
    bool expected;
};

void ExpectCases(const std::vector<MatchCase>& cases) {
    for (const MatchCase& c : cases) {
        EXPECT_EQ(MatchWildcard(c.pattern, c.name), c.expected)
            << "pattern \"" << testing::PrintToString(std::wstring(c.pattern)) << "\" name "
            << testing::PrintToString(std::wstring(c.name));
        EXPECT_EQ(Ref(c.pattern, c.name), c.expected) << "reference disagrees with the table";
    }
}

TEST(MatchWildcardTest, StarsQuestionMarksAndCase) {
    ExpectCases({
        {L"", L"", true},
        {L"", L"a", false},
        {L"*", L"", true},
        {L"*", L"Makefile", true},
        {L"*.*", L"a.b", true},
        {L"*.*", L"archive.tar.gz", true},
        {L"*.*", L"Makefile", false},
        {L"*.obj", L"MAIN.OBJ", true},
        {L"*.obj", L"main.obj", true},
        {L"*.obj", L"x.y.obj", true},
        {L"*.obj", L"main.obj2", false},
        {L"*.obj", L"main.o", false},
        {L"_vti_cnf", L"_VTI_CNF", true},
        {L"a?c", L"abc", true},
        {L"a?c", L"a.c", true},
        {L"a?c", L"ac", false},
        {L"a?c", L"abcd", false},
        {L"?", L"", false},
        {L"\u00C9.txt", L"\u00E9.txt", false},
        {L"\u00C9.txt", L"\u00C9.TXT", true},
        {L"[", L"[", false},
        {L"@", L"`", false},  // "@" and "`" sit next to "A" and "a" but never fold
        {L"a*b*c", L"aXbYc", true},
        {L"a*b*c", L"acb", false},
    });
}

TEST(MatchWildcardTest, DotlessStarStopsAtTheFirstDot) {
    ExpectCases({
        {L"\x1A.c", L"main.c", true},
        {L"\x1A.c", L"main.x.c", false},
        {L"*.c", L"main.x.c", true},
        {L"\x1A", L"Makefile", true},
        {L"\x1A", L"a.b", false},
        {L"\x1A", L"", true},
        {L"\x1A.*", L".hidden", true},
        {L"a\x1A", L"a", true},
    });
}

TEST(MatchWildcardTest, Sets) {
    ExpectCases({
        {L"[a-c]*", L"Beta.txt", true},
        {L"[a-c]*", L"delta", false},
        {L"[A-C]", L"b", true},
        {L"*.[!o]", L"x.c", true},
        {L"*.[!o]", L"x.o", false},
        {L"*.[!o]", L"x.", false},
        {L"[]x", L"x", false},
        {L"[]x", L"]x", false},
        {L"[!]", L"q", true},
        {L"[!]", L"", false},
        {L"[!]", L"qq", false},
        {L"[abc", L"a", false},
        {L"[abc", L"[abc", false},
        {L"[a-]", L"a", false},
        {L"[a-]]", L"]", false},  // "]" bounds the range a..], which lies below "a"
        {L"[!-a]x", L"]x", true},
        {L"[z-a]", L"m", false},
        {L"[`]]", L"]", true},
        {L"[`-]", L"-", true},
        {L"[``]", L"`", true},
        {L"[`!]", L"!", true},
        {L"[!`!]", L"!", false},
        {L"[a`-c]", L"-", true},
        {L"[a`-c]", L"b", false},
        {L"[``-a]", L"a", true},
        {L"[``-a]", L"`", true},
        {L"[a-``]", L"a", false},  // a range whose top lies below its bottom
        {L"[a-`", L"a", false},
        {L"[`", L"`", false},
        {L"[a!]", L"!", true},
        {L"[.]*", L".git", true},
    });
}

TEST(MatchWildcardTest, GraveAccentEscape) {
    ExpectCases({
        {L"`*", L"*", true},
        {L"`*", L"a", false},
        {L"`*", L"", false},
        {L"`", L"", false},
        {L"`", L"`", false},
        {L"``", L"`", true},
        {L"`?", L"x", false},
        {L"`A", L"a", true},
        {L"a`", L"a", false},
        {L"`[x]", L"[x]", true},
        {L"`!a", L"!a", true},
    });
}

TEST(MatchWildcardTest, Negation) {
    ExpectCases({
        {L"!*.txt", L"readme.md", true},
        {L"!*.txt", L"notes.TXT", false},
        {L"!", L"", false},
        {L"!", L"a", false},
        {L"a!", L"a", false},
        {L"!a", L"", true},
        {L"a!b*", L"ac", true},
        {L"a!b*", L"abc", false},
        {L"a!b*", L"b", false},
        {L"!!a", L"a", true},
        {L"*!*", L"abc", false},
        {L"*!a", L"ba", true},  // the empty tail does not match "a"
        {L"[!]!", L"x", false},
    });
}

TEST(MatchWildcardTest, NullArgumentsGiveFalse) {
    EXPECT_FALSE(MatchWildcard(nullptr, L"a"));
    EXPECT_FALSE(MatchWildcard(L"*", nullptr));
    EXPECT_FALSE(MatchWildcard(nullptr, nullptr));
}

// Random patterns and names over an alphabet dense in the language's special characters.
class RandomText {
  public:
    explicit RandomText(unsigned seed) : engine_(seed) {}

    std::wstring Make(const std::wstring& alphabet, std::size_t max_length) {
        std::uniform_int_distribution<std::size_t> length(0, max_length);
        std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
        std::wstring text(length(engine_), L'a');
        for (wchar_t& c : text) {
            c = alphabet[pick(engine_)];
        }
        return text;
    }

  private:
    std::mt19937 engine_;
};

const std::wstring kPatternAlphabet =
    L".*?[]!-`\x1A"
    L"aAbBzZ";
const std::wstring kNameAlphabet = L".aAbBzZ[]!-`*?";

void ExpectSameAsReference(unsigned seed, int rounds, std::size_t max_pattern,
                           std::size_t max_name) {
    RandomText random(seed);
    int mismatches = 0;
    for (int round = 0; round < rounds && mismatches < 10; ++round) {
        const std::wstring pattern = random.Make(kPatternAlphabet, max_pattern);
        const std::wstring name = random.Make(kNameAlphabet, max_name);
        if (MatchWildcard(pattern.c_str(), name.c_str()) != Ref(pattern, name)) {
            ++mismatches;
            ADD_FAILURE() << "pattern " << testing::PrintToString(pattern) << " name "
                          << testing::PrintToString(name);
        }
    }
}

TEST(MatchWildcardTest, AgreesWithBacktrackingOnShortRandomTexts) {
    ExpectSameAsReference(20240601u, 200000, 8, 8);
}

TEST(MatchWildcardTest, AgreesWithBacktrackingAcrossWordBoundaries) {
    // Names of 60..140 characters span two or three 64-position words.
    RandomText random(77u);
    const std::wstring letters = L"ab.A";
    for (int round = 0; round < 3000; ++round) {
        std::wstring name = random.Make(letters, 80);
        name = random.Make(letters, 60) + name;
        std::wstring pattern = random.Make(L"ab.?[!]-", 5);
        pattern = random.Make(L"ab.?!", 3) + L"*" + pattern + random.Make(L"ab.?!\x1A", 3);
        ASSERT_EQ(MatchWildcard(pattern.c_str(), name.c_str()), Ref(pattern, name))
            << testing::PrintToString(pattern) << " " << testing::PrintToString(name);
    }
}

TEST(MatchWildcardTest, LongPatternsAreTakenInChunks) {
    RandomText random(5u);
    for (int round = 0; round < 300; ++round) {
        const std::wstring name = random.Make(L"abAB.", 200);
        std::wstring pattern;
        // Mostly the name itself, with some characters turned into "?" or sets and at
        // most two stars, so that about half of the cases match.
        std::mt19937 engine(static_cast<unsigned>(round));
        for (wchar_t c : name) {
            const unsigned roll = engine() % 40;
            if (roll == 0) {
                pattern += L'?';
            } else if (roll == 1) {
                pattern += L"[a-b]";
            } else if (roll == 2 && round % 2 == 0) {
                pattern += L'x';
            } else {
                pattern += c;
            }
        }
        if (round % 3 == 0 && pattern.size() > 20) {
            pattern.replace(10, 5, L"*");
            pattern.insert(pattern.size() - 3, L"*");
        }
        if (round % 5 == 0) {
            pattern.insert(0, L"!!");
        }
        ASSERT_EQ(MatchWildcard(pattern.c_str(), name.c_str()), Ref(pattern, name))
            << testing::PrintToString(pattern) << " " << testing::PrintToString(name);
    }
}

TEST(MatchWildcardTest, ManyStarsStayFastAndExact) {
    const std::wstring name(255, L'a');
    EXPECT_FALSE(MatchWildcard(L"*a*a*a*a*a*a*a*a*a*a*b", name.c_str()));
    EXPECT_TRUE(MatchWildcard(L"*a*a*a*a*a*a*a*a*a*a*", name.c_str()));
    EXPECT_TRUE(MatchWildcard(L"!*a*a*a*a*a*a*a*a*a*a*b", name.c_str()));
    std::wstring many_stars;
    for (int i = 0; i < 300; ++i) {
        many_stars += L"*a";
    }
    EXPECT_FALSE(MatchWildcard(many_stars.c_str(), name.c_str()));
    EXPECT_TRUE(MatchWildcard(many_stars.substr(0, 510).c_str(), name.c_str()));
}

TEST(MatchWildcardTest, NamesLongerThanAnyPathStillMatch) {
    std::wstring name(40000, L'x');
    name += L".txt";
    EXPECT_TRUE(MatchWildcard(L"*.txt", name.c_str()));
    EXPECT_FALSE(MatchWildcard(L"*.obj", name.c_str()));
    EXPECT_TRUE(MatchWildcard(L"!*.obj", name.c_str()));
    EXPECT_TRUE(MatchWildcard(L"x?x*T", name.c_str()));
    EXPECT_FALSE(
        MatchWildcard(L"\x1A"
                      L"t",
                      name.c_str()));
    const std::wstring longest(32767, L'y');
    EXPECT_TRUE(MatchWildcard(L"y*y", longest.c_str()));
    EXPECT_TRUE(MatchWildcard(L"*y?", (longest + L".").c_str()));
    EXPECT_FALSE(MatchWildcard(L"*y", (longest + L".").c_str()));
}

struct SplitCase {
    const wchar_t* text;
    std::vector<std::wstring> patterns;
};

TEST(WildcardFilterTest, SplitsAtSemicolonsAndKeepsBlanks) {
    const SplitCase cases[] = {
        {L"", {}},
        {L";;", {}},
        {L";*.o;", {L"*.o"}},
        {L"*.o;*.d", {L"*.o", L"*.d"}},
        {L"*.obj; *.pch", {L"*.obj", L" *.pch"}},
        {L" \t;\r\n", {L" \t", L"\r\n"}},
        {L"A;;B", {L"A", L"B"}},
    };
    for (const SplitCase& c : cases) {
        WildcardFilter filter;
        filter.SetPatterns(c.text, c.text);
        EXPECT_EQ(filter.IncludeList(), c.patterns) << testing::PrintToString(c.text);
        EXPECT_EQ(filter.ExcludeList(), c.patterns) << testing::PrintToString(c.text);
    }
}

TEST(WildcardFilterTest, SetPatternsReplacesEarlierLists) {
    WildcardFilter filter;
    filter.SetPatterns(L"*.a;*.b", L"x");
    filter.SetPatterns(nullptr, nullptr);
    EXPECT_TRUE(filter.IncludeList().empty());
    EXPECT_TRUE(filter.ExcludeList().empty());
    EXPECT_FALSE(filter.Matches(L"f.a"));
}

struct FilterCase {
    const wchar_t* include;
    const wchar_t* exclude;
    const wchar_t* name;
    bool expected;
};

TEST(WildcardFilterTest, IncludeAndExcludeDecision) {
    const FilterCase cases[] = {
        {L"", L"", L"a.txt", false},
        {L";;", L"", L"a.txt", false},
        {L"*", L"", L"Makefile", true},
        {L"*", L"", L"", true},
        {L"*;", L"", L"Makefile", true},
        {L"*.aps;*.obj", L"", L"setup.APS", true},
        {L"*.obj; *.pch", L"", L"stdafx.pch", false},
        {L"*.obj; *.pch", L"", L" stdafx.pch", true},
        {L"_vti_cnf;_vti_pvt", L"", L"_VTI_CNF", true},
        {L"*", L"*", L"a.txt", false},
        {L"*.txt", L"*", L"a.txt", false},
        {L"*", L"*.bak", L"a.txt", true},
        {L"*", L"*.bak", L"a.bak", false},
        {L"*", L";;", L"a.bak", true},
        {L"*", L"*;", L"a.bak", false},
        {L"*.txt", L"a*", L"b.txt", true},
        {L"*.txt", L"a*", L"A.TXT", false},
        {L"!*.txt", L"", L"readme.md", true},
    };
    for (const FilterCase& c : cases) {
        WildcardFilter filter;
        filter.SetPatterns(c.include, c.exclude);
        EXPECT_EQ(filter.Matches(c.name), c.expected)
            << testing::PrintToString(c.include) << " / " << testing::PrintToString(c.exclude)
            << " : " << testing::PrintToString(c.name);
    }
}

TEST(WildcardFilterTest, NullNameIsNeverSelected) {
    WildcardFilter filter;
    filter.SetPatterns(L"*", L"");
    EXPECT_FALSE(filter.Matches(nullptr));
}

}  // namespace
}  // namespace vantrel
