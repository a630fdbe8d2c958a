#pragma once

#include <windows.h>

#include <string>

namespace vantrel {

// Turns the WOW64 file-system redirection off on the calling thread while it lives, so that
// a 32-bit program on 64-bit Windows acts on the folder it names: "C:\Windows\System32\x"
// would otherwise be read, walked and deleted in "C:\Windows\SysWOW64\x". Keep it around
// single file calls only: with redirection off a DLL load would find 64-bit libraries.
// Nothing in a 64-bit program, or on 32-bit Windows.
class RedirectionOff {
  public:
    RedirectionOff();
    ~RedirectionOff();
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

  private:
    void* old_value_ = nullptr;
    bool off_ = false;
};

// True when this process's file-system redirection applies to `path` (it lies in the
// system folder and this is a 32-bit process on 64-bit Windows): a call that cannot turn
// the redirection off, such as the shell's file operation, would act on another item.
bool IsRedirectedPath(const std::wstring& path);

}  // namespace vantrel
