#include "shellext/registration_tables.h"

namespace vantrel::shell {

namespace {

constexpr RegistrationEntry kAppIdTable[] = {
    {L"AppID", KeyKind::Shared, nullptr, nullptr, nullptr},
    {L"AppID\\%APPID%", KeyKind::Ordinary, L"VantrelShell", nullptr, nullptr},
    {L"AppID\\VantrelShell.DLL", KeyKind::Ordinary, nullptr, L"AppID", L"%APPID%"},
};

#define VANTREL_CLASS_KEY L"CLSID\\{E534891D-61B8-41BC-9028-92C328D64EEA}"
#define VANTREL_CLSID_TEXT L"{E534891D-61B8-41BC-9028-92C328D64EEA}"

constexpr RegistrationEntry kClassTable[] = {
    {L"Zephrane.Vantrel.SCM.1", KeyKind::Ordinary, L"Vantrel.SCM", nullptr, nullptr},
    {L"Zephrane.Vantrel.SCM.1\\CLSID", KeyKind::Ordinary, VANTREL_CLSID_TEXT, nullptr, nullptr},
    {L"Zephrane.Vantrel.SCM", KeyKind::Ordinary, L"Vantrel.SCM", nullptr, nullptr},
    {L"Zephrane.Vantrel.SCM\\CLSID", KeyKind::Ordinary, VANTREL_CLSID_TEXT, nullptr, nullptr},
    {L"Zephrane.Vantrel.SCM\\CurVer", KeyKind::Ordinary, L"Zephrane.Vantrel.SCM.1", nullptr,
     nullptr},
    {L"CLSID", KeyKind::Shared, nullptr, nullptr, nullptr},
    {VANTREL_CLASS_KEY, KeyKind::Forced, L"Vantrel.SCM", nullptr, nullptr},
    {VANTREL_CLASS_KEY L"\\ProgID", KeyKind::InsideForced, L"Zephrane.Vantrel.SCM.1", nullptr,
     nullptr},
    {VANTREL_CLASS_KEY L"\\VersionIndependentProgID", KeyKind::InsideForced,
     L"Zephrane.Vantrel.SCM", nullptr, nullptr},
    {VANTREL_CLASS_KEY L"\\Programmable", KeyKind::Forced, nullptr, nullptr, nullptr},
    {VANTREL_CLASS_KEY L"\\InprocServer32", KeyKind::InsideForced, L"%MODULE%", L"ThreadingModel",
     L"Apartment"},
    {VANTREL_CLASS_KEY L"\\TypeLib", KeyKind::InsideForced,
     L"{BA3A3BC5-B82A-457E-A837-821AB3E7BF86}", nullptr, nullptr},
    {L"Folder", KeyKind::Shared, nullptr, nullptr, nullptr},
    {L"Folder\\ShellEx", KeyKind::Shared, nullptr, nullptr, nullptr},
    {L"Folder\\ShellEx\\ContextMenuHandlers", KeyKind::Shared, nullptr, nullptr, nullptr},
    {L"Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel", KeyKind::Forced, VANTREL_CLSID_TEXT,
     nullptr, nullptr},
    {L"Directory", KeyKind::Shared, nullptr, nullptr, nullptr},
    {L"Directory\\Background", KeyKind::Shared, nullptr, nullptr, nullptr},
    {L"Directory\\Background\\ShellEx", KeyKind::Shared, nullptr, nullptr, nullptr},
    {L"Directory\\Background\\ShellEx\\ContextMenuHandlers", KeyKind::Shared, nullptr, nullptr,
     nullptr},
    {L"Directory\\Background\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel", KeyKind::Forced,
     VANTREL_CLSID_TEXT, nullptr, nullptr},
};

#undef VANTREL_CLASS_KEY
#undef VANTREL_CLSID_TEXT

}  // namespace

std::span<const RegistrationEntry> AppIdRegistrationTable() {
    return kAppIdTable;
}

std::span<const RegistrationEntry> ClassRegistrationTable() {
    return kClassTable;
}

}  // namespace vantrel::shell
