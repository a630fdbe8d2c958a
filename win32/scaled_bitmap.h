#pragma once

#include <windows.h>

namespace vantrel {

// Bitmap resource `id`, which holds `count` images of equal size side by side with magenta
// as its transparent colour, with each image at `cell_width` x `cell_height` pixels. At the
// resource's own size the resource comes back as it is; at any other size it is scaled
// once with a box filter into a 32-bit DIB section. nullptr when it cannot be loaded.
// The caller owns the result.
HBITMAP LoadBitmapScaled(HINSTANCE instance, int id, int count, int cell_width, int cell_height);

}  // namespace vantrel
