#pragma once

// The product's addresses and version, kept in one place for the About box, the Help menu
// and the support mail.

namespace vantrel {

// The maker's web host. The ".example" domain is reserved, so no stranger's site opens
// until the real host is filled in here.
inline constexpr const wchar_t* kHomePageAddress = L"https://www.zephrane.example/";
inline constexpr const wchar_t* kDownloadPageAddress =
    L"https://www.zephrane.example/vantrel/download.html";
inline constexpr const wchar_t* kSupportMailAddress = L"support@zephrane.example";

// Shown as "<title> 1" in the About box title line.
inline constexpr const wchar_t* kProductMajorVersion = L"1";
// Shown as "Version 1.1.1" and sent in the support mail's subject.
inline constexpr const wchar_t* kProductVersion = L"1.1.1";

}  // namespace vantrel
