#pragma once

#include <windows.h>

// Identifiers and names of the one COM class of VantrelShell.dll.
namespace vantrel::shell {

inline constexpr CLSID kClsidMyContextMenu = {
    0xE534891D, 0x61B8, 0x41BC, {0x90, 0x28, 0x92, 0xC3, 0x28, 0xD6, 0x4E, 0xEA}};
inline constexpr IID kIidMyContextMenu = {
    0x10F59657, 0x5117, 0x49EE, {0xB3, 0xC3, 0xC9, 0x37, 0x2A, 0xF7, 0x89, 0xE9}};
inline constexpr GUID kLibidVantrelShellLib = {
    0xBA3A3BC5, 0xB82A, 0x457E, {0xA8, 0x37, 0x82, 0x1A, 0xB3, 0xE7, 0xBF, 0x86}};
inline constexpr WORD kTypeLibMajorVersion = 1;
inline constexpr WORD kTypeLibMinorVersion = 0;
inline constexpr LCID kTypeLibLocale = 0x409;

inline constexpr const wchar_t* kClsidText = L"{E534891D-61B8-41BC-9028-92C328D64EEA}";
inline constexpr const wchar_t* kLibidText = L"{BA3A3BC5-B82A-457E-A837-821AB3E7BF86}";
inline constexpr const wchar_t* kAppIdText = L"{84640F5D-217D-48D7-B86B-59CA25CFBB78}";

inline constexpr const wchar_t* kProgId = L"Zephrane.Vantrel.SCM.1";
inline constexpr const wchar_t* kVersionIndependentProgId = L"Zephrane.Vantrel.SCM";
inline constexpr const wchar_t* kClassDescription = L"Vantrel.SCM";
inline constexpr const wchar_t* kHandlerKeyName = L"Zephrane.Vantrel";

}  // namespace vantrel::shell
