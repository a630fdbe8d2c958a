#pragma once

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace vantrel::shell::test {

// The folder of the running test program (where VantrelShell.dll is built too).
std::wstring TestProgramFolder();

// A fresh folder below the temporary folder, removed with its contents at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& path() const { return path_; }
    // Creates a subfolder and returns its full path.
    std::wstring MakeFolder(const std::wstring& name) const;

  private:
    std::wstring path_;
};

// Deletes a folder tree (files and subfolders) without following folder links.
void RemoveTree(const std::wstring& path);

// VantrelShell.dll loaded for one test and unloaded afterwards, so that its module state
// (the per-user flag in particular) starts fresh.
class ShellLibrary {
  public:
    explicit ShellLibrary(const std::wstring& path = L"VantrelShell.dll");
    ~ShellLibrary();
    ShellLibrary(const ShellLibrary&) = delete;
    ShellLibrary& operator=(const ShellLibrary&) = delete;

    bool loaded() const { return module_ != nullptr; }
    HMODULE module() const { return module_; }

    HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const;
    HRESULT CanUnloadNow() const;
    HRESULT RegisterServer() const;
    HRESULT UnregisterServer() const;
    HRESULT Install(BOOL install, const wchar_t* command_line) const;

    // A new CMyContextMenu through the class object, as interface riid.
    HRESULT CreateMenu(REFIID riid, void** ppv) const;

  private:
    HMODULE module_ = nullptr;
};

// Keeps HKEY_CURRENT_USER\Software\Zephrane\Vantrel as it was: saved and emptied at the
// start, put back at the end.
class ApplicationKeyGuard {
  public:
    ApplicationKeyGuard();
    ~ApplicationKeyGuard();
    ApplicationKeyGuard(const ApplicationKeyGuard&) = delete;
    ApplicationKeyGuard& operator=(const ApplicationKeyGuard&) = delete;

  private:
    bool saved_ = false;
};

// Registry helpers for the tests (HKEY_CURRENT_USER unless a root is given).
void SetDword(const std::wstring& key, const wchar_t* name, DWORD value);
void SetBinaryValue(const std::wstring& key, const wchar_t* name, DWORD type, const void* data,
                    DWORD bytes);
void SetString(const std::wstring& key, const wchar_t* name, const std::wstring& value,
               DWORD type = REG_SZ);
void DeleteKeyTree(HKEY root, const std::wstring& key);
bool KeyExists(HKEY root, const std::wstring& key);
// The value's text, or "<missing>" / "<type N>" when it is absent or not REG_SZ.
std::wstring ReadString(HKEY root, const std::wstring& key, const wchar_t* name);

// A global block in the layout DragQueryFileW reads: DROPFILES, then the wide paths, each
// NUL-terminated, then one more NUL.
HGLOBAL MakeDropList(const std::vector<std::wstring>& paths);

// A data object that offers only CF_HDROP (a copy of the drop list for each GetData), or
// nothing at all when created without paths.
IDataObject* NewDropDataObject(const std::vector<std::wstring>& paths, bool offer_drop_list = true);

// What the submenu holds: each item's id (0xFFFFFFFF for the separator) and caption.
struct MenuItem {
    UINT id;
    std::wstring text;
    bool separator;
};
std::vector<MenuItem> ReadMenu(HMENU menu);

}  // namespace vantrel::shell::test
