#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// "mailto:<address>?subject=<subject>", with "&body=<body>" appended when a body is given
// (an empty body still adds "&body="). Nothing is percent-encoded: mail programs take the
// spaces of the subject as they are.
std::wstring BuildMailToLink(std::wstring_view address, std::wstring_view subject,
                             std::optional<std::wstring_view> body);

// "About <application name> <version>", the subject of the support mail.
std::wstring SupportMailSubject(std::wstring_view application_name);

}  // namespace vantrel
