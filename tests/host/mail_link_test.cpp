#include "config/mail_link.h"

#include <gtest/gtest.h>

#include "config/product_links.h"

namespace vantrel {
namespace {

struct MailToCase {
    const wchar_t* address;
    const wchar_t* subject;
    std::optional<std::wstring_view> body;
    const wchar_t* expected;
};

TEST(MailLinkTest, BuildsUnencodedLinks) {
    const MailToCase cases[] = {
        {L"a@b.example", L"About Vantrel 1.1.1", std::nullopt,
         L"mailto:a@b.example?subject=About Vantrel 1.1.1"},
        // An empty body is not a missing one: the "&body=" part stays.
        {L"a@b.example", L"Hi", std::wstring_view(L""), L"mailto:a@b.example?subject=Hi&body="},
        {L"a@b.example", L"x&y", std::wstring_view(L"line one %20"),
         L"mailto:a@b.example?subject=x&y&body=line one %20"},
        {L"", L"", std::nullopt, L"mailto:?subject="},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildMailToLink(c.address, c.subject, c.body), c.expected) << c.expected;
    }
}

TEST(MailLinkTest, SupportMailCarriesTheProductVersion) {
    EXPECT_EQ(SupportMailSubject(L"Vantrel"), L"About Vantrel 1.1.1");
    EXPECT_EQ(BuildMailToLink(kSupportMailAddress, SupportMailSubject(L"Vantrel"), std::nullopt),
              std::wstring(L"mailto:") + kSupportMailAddress + L"?subject=About Vantrel 1.1.1");
}

}  // namespace
}  // namespace vantrel
