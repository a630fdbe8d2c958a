#include "ui/controls/toolbar_resource.h"

#include <commctrl.h>

#include "resources/resource.h"

namespace vantrel {

std::vector<int> LoadToolbarCommands(HINSTANCE instance, int resource_id) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resource_id),
                                MAKEINTRESOURCEW(RT_TOOLBAR_RESOURCE));
    if (found == nullptr) {
        return {};
    }
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    const auto* words =
        static_cast<const WORD*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (words == nullptr || size < 4 * sizeof(WORD) || words[0] != 1) {
        return {};
    }
    const size_t count = words[3];
    if ((4 + count) * sizeof(WORD) > size) {
        return {};
    }
    std::vector<int> ids;
    for (size_t i = 0; i < count; ++i) {
        ids.push_back(words[4 + i]);
    }
    return ids;
}

HWND CreateToolbarFromResource(HWND parent, int control_id, int resource_id, SIZE image_size,
                               HIMAGELIST images, DWORD extended, BYTE button_style,
                               const wchar_t* const* texts, int text_count) {
    const HINSTANCE instance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    const std::vector<int> ids = LoadToolbarCommands(instance, resource_id);
    if (ids.empty()) {
        return nullptr;
    }
    // Placed by the window's layout, hence no resizing or aligning of its own.
    HWND toolbar = CreateWindowExW(
        0, TOOLBARCLASSNAMEW, nullptr,
        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TRANSPARENT |
            TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance,
        nullptr);
    if (toolbar == nullptr) {
        return nullptr;
    }
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(image_size.cx, image_size.cy));
    if (images != nullptr) {
        SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
    SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(extended));
    std::vector<TBBUTTON> buttons;
    int image = 0;
    int text = 0;
    for (int id : ids) {
        TBBUTTON button{};
        if (id == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.idCommand = id;
            button.iBitmap = images != nullptr ? image++ : I_IMAGENONE;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = button_style;
            button.iString = text < text_count ? reinterpret_cast<INT_PTR>(texts[text]) : -1;
            ++text;
        }
        buttons.push_back(button);
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    return toolbar;
}

}  // namespace vantrel
