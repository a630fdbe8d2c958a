#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace vantrel {

// The command ids of a toolbar resource (type RT_TOOLBAR_RESOURCE: WORD version 1, image
// width, image height, count, then `count` ids, 0 for a separator). Empty when the resource
// is missing or malformed; the count is checked against the resource's size.
std::vector<int> LoadToolbarCommands(HINSTANCE instance, int resource_id);

// Creates a toolbar child of `parent` with the buttons of resource_id, each with `style`
// and the matching text of `texts`; with `images` the i-th button shows image i, without
// them no image (the image size then only sets the buttons' image room). nullptr on failure.
HWND CreateToolbarFromResource(HWND parent, int control_id, int resource_id, SIZE image_size,
                               HIMAGELIST images, DWORD extended, BYTE button_style,
                               const wchar_t* const* texts, int text_count);

}  // namespace vantrel
