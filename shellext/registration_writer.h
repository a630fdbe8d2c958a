#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <string_view>

#include "shellext/registration_tables.h"

namespace vantrel::shell {

// A token of the registration texts and what replaces it.
struct Substitution {
    std::wstring_view token;
    std::wstring_view value;
};

// text with every occurrence of each token replaced.
std::wstring Substitute(std::wstring_view text, std::span<const Substitution> substitutions);

// Writes the table below root, in table order. Stops at the first failure and returns
// the registry's error.
LONG WriteRegistrationTable(HKEY root, std::span<const RegistrationEntry> table,
                            std::span<const Substitution> substitutions);

// Removes the table's keys below root, in reverse order: forced keys with everything
// below them, ordinary keys when no subkeys are left, shared keys never. A key that is
// already gone is not a failure. Goes on after a failure and returns the first one.
LONG RemoveRegistrationTable(HKEY root, std::span<const RegistrationEntry> table,
                             std::span<const Substitution> substitutions);

}  // namespace vantrel::shell
