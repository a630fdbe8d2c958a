#include "config/mail_link.h"

#include "config/product_links.h"

namespace vantrel {

std::wstring BuildMailToLink(std::wstring_view address, std::wstring_view subject,
                             std::optional<std::wstring_view> body) {
    std::wstring link = L"mailto:";
    link += address;
    link += L"?subject=";
    link += subject;
    if (body) {
        link += L"&body=";
        link += *body;
    }
    return link;
}

std::wstring SupportMailSubject(std::wstring_view application_name) {
    std::wstring subject = L"About ";
    subject += application_name;
    subject += L' ';
    subject += kProductVersion;
    return subject;
}

}  // namespace vantrel
