#pragma once

#include <string>

namespace vantrel {

class RegistryProfile;

// The full path of the running executable, however long; empty when it cannot be had.
std::wstring GetRunningExecutablePath();

// The main program's folder: "AppFolder" of the application key, or the folder of the
// running executable when that is empty.
std::wstring GetApplicationFolder(RegistryProfile& profile);

}  // namespace vantrel
