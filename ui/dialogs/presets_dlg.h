#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/controls/dialog_base.h"
#include "ui/model/preset_editor.h"

namespace vantrel {

class PresetList;
class RegistryProfile;

// The Presets dialog (template 530): a tree of the presets and the editing controls of
// the selected one. Edits are kept when the selection moves or the dialog closes; Close,
// Enter, Escape and the close box all close the same way, storing and saving the list when
// anything changed. The window only moves values between its controls and PresetEditor.
class CPresetsDlg : public CDialogBase {
  public:
    CPresetsDlg(PresetList& presets, RegistryProfile& profile);

    // Whether the dialog changed the list (and saved it). Read after the dialog ended.
    bool Changed() const { return changed_; }
    const PresetEditor& Editor() const { return editor_; }

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
    void OnIdle() override;
    void OnOK() override { Close(); }
    void OnCancel() override { Close(); }

  private:
    HWND Tree() const;
    HTREEITEM SelectedItem() const;
    static PresetEntry* EntryOf(HWND tree, HTREEITEM item);
    void FillTree();
    HTREEITEM InsertItem(PresetEntry& entry);
    void SelectFirstItem();

    PresetEditValues ReadControls() const;
    void ShowValues(const PresetEntry& entry);
    void Commit();
    void Load();

    void OnAdd();
    void OnDelete();
    void OnLoadDefaults();
    void Close();

    PresetEditor editor_;
    RegistryProfile& profile_;
    HTREEITEM current_item_ = nullptr;  // the tree item of the preset being edited
    HTREEITEM deleting_item_ = nullptr;
    bool refilling_ = false;  // the tree is being emptied: its notifications mean nothing
    bool closed_ = false;
    bool changed_ = false;
};

// The "Presets..." command: runs the dialog modally over `owner` on the application's
// list. Returns true when the list was changed and saved; the caller then refills its
// preset combo and re-applies its preset.
bool RunPresetsDialog(HWND owner, PresetList& presets, RegistryProfile& profile);

}  // namespace vantrel
