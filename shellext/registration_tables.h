#pragma once

#include <span>

namespace vantrel::shell {

// How a registration entry treats its key.
enum class KeyKind {
    // Created when missing, never deleted (keys other software shares).
    Shared,
    // Written on registration; deleted on unregistration when no subkeys are left.
    Ordinary,
    // Deleted with everything below it before it is written, and deleted the same way on
    // unregistration.
    Forced,
    // Below a forced key: written on registration, removed with that key.
    InsideForced,
};

// One key of a registration table with at most one default and one named REG_SZ value.
// Texts may hold the tokens %MODULE% and %APPID%.
struct RegistrationEntry {
    const wchar_t* path;
    KeyKind kind;
    const wchar_t* default_value;  // null: none
    const wchar_t* value_name;     // null: none
    const wchar_t* value_data;
};

// Table A: the application identifier.
std::span<const RegistrationEntry> AppIdRegistrationTable();
// Table B: the class, its programmatic identifiers and the two handler keys.
std::span<const RegistrationEntry> ClassRegistrationTable();

}  // namespace vantrel::shell
