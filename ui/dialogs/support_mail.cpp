#include "ui/dialogs/support_mail.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>

#include "config/mail_link.h"
#include "config/product_links.h"
#include "resources/resource.h"

namespace vantrel {

std::wstring ApplicationTitle() {
    const wchar_t* text = nullptr;
    // A zero buffer length returns a pointer to the resource itself: no copy, no limit.
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), IDS_APP_TITLE, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return L"Vantrel";
    }
    return std::wstring(text, static_cast<size_t>(length));
}

int OpenMailTo(const wchar_t* address, const wchar_t* subject, const wchar_t* body) {
    const std::optional<std::wstring_view> body_part =
        body != nullptr ? std::optional<std::wstring_view>(body) : std::nullopt;
    const std::wstring link = BuildMailToLink(address != nullptr ? address : L"",
                                              subject != nullptr ? subject : L"", body_part);
    ShellExecuteW(nullptr, L"Open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return 0;
}

int SendSupportMail() {
    const std::wstring subject = SupportMailSubject(ApplicationTitle());
    return OpenMailTo(kSupportMailAddress, subject.c_str(), nullptr);
}

}  // namespace vantrel
