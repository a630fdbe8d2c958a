#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace vantrel {

// Registers and unregisters the Explorer extension library of the application folder by
// starting the system's regsvr32 silently, without waiting for it. The registry entries of
// the extension are the setting itself; nothing else stores it.
class CShellExtRegistrar {
  public:
    // Starts a program with parameters. The default shows nothing and does not wait.
    using Launcher =
        std::function<void(const std::wstring& program, const std::wstring& parameters)>;

    explicit CShellExtRegistrar(std::wstring application_folder, Launcher launch = {});

    // How many of the two handler keys can be opened, per user or per machine: 0, 1 or 2.
    int IsRegistered() const;
    // TRUE when regsvr32 was started, FALSE when the library file is missing.
    BOOL Register() const { return Run(false); }
    BOOL Unregister() const { return Run(true); }

    // The library's full path; empty when there is no application folder.
    const std::wstring& LibraryPath() const { return library_path_; }

    static void LaunchHidden(const std::wstring& program, const std::wstring& parameters);

  private:
    BOOL Run(bool unregister) const;

    std::wstring library_path_;
    Launcher launch_;
};

}  // namespace vantrel
