#pragma once

#include <string>

namespace vantrel {

// The program's title string ("Vantrel"), the application name of captions and texts.
std::wstring ApplicationTitle();

// Opens "mailto:<address>?subject=<subject>[&body=<body>]" with the shell; body nullptr
// leaves the body part out. Nothing is encoded and a missing mail program is not
// reported. Returns 0.
int OpenMailTo(const wchar_t* address, const wchar_t* subject, const wchar_t* body);

// "Email Us": a new message to the support mailbox about this version. Returns 0.
int SendSupportMail();

}  // namespace vantrel
