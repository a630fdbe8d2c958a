#pragma once

#include <windows.h>
#include <oaidl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "win32/handles.h"

namespace vantrel::shell {

// The class's own dual interface: IDispatch with no members of its own.
struct IMyContextMenu : public IDispatch {};

// Texts of the submenu and of its help line.
inline constexpr const wchar_t* kSubmenuCaption = L"Vantrel";
inline constexpr const wchar_t* kCleanLaterCaption = L"Clean Later...";
inline constexpr const wchar_t* kPresetHelpText = L"Clean selected folders with this preset.";
inline constexpr const wchar_t* kCleanLaterHelpText =
    L"Add selected folders to the folder list, and clean them later.";

// Explorer's context-menu handler for folders and folder backgrounds. One instance lives
// for one context menu: Initialize records the folders, QueryContextMenu adds the
// "Vantrel" submenu of presets and "Clean Later...", InvokeCommand starts the main
// program. Supports aggregation: every interface delegates IUnknown to the controlling
// object (the outer object, or the inner IUnknown when not aggregated).
class CMyContextMenu final : public IMyContextMenu, public IShellExtInit, public IContextMenu {
  public:
    // Creates an instance (aggregated when outer is given; riid must then be IUnknown)
    // and returns its interface riid.
    static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv);

    // IUnknown, delegated to the controlling object.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch, answered from the type library.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** type_info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT name_count, LCID locale,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                        VARIANT* result, EXCEPINFO* exception, UINT* argument_error) override;

    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY prog_id_key) override;

    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT first_id, UINT last_id,
                                  UINT flags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    STDMETHODIMP GetCommandString(UINT_PTR id, UINT type, UINT* reserved, CHAR* name,
                                  UINT max_characters) override;

    // The folders the next command acts on.
    const std::vector<std::wstring>& Folders() const { return folders_; }

  private:
    // The non-delegating IUnknown that owns the object's lifetime.
    class CInnerUnknown final : public IUnknown {
      public:
        explicit CInnerUnknown(CMyContextMenu& owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;

      private:
        CMyContextMenu& owner_;
    };

    explicit CMyContextMenu(IUnknown* outer);
    ~CMyContextMenu();

    HRESULT InitializeFromDropList(IDataObject* data);
    HRESULT BuildSubmenu(HMENU menu, UINT index, UINT first_id, UINT last_id);
    // Replaces the menu bitmap by one drawn for `dpi` when its size differs.
    void FitMenuBitmapToDpi(int dpi);

    LONG references_ = 0;
    BitmapHandle menu_bitmap_;
    int menu_bitmap_size_ = 16;  // pixels of menu_bitmap_
    std::vector<std::wstring> folders_;
    UINT command_count_ = 0;
    CInnerUnknown inner_;
    IUnknown* controlling_;
};

}  // namespace vantrel::shell
