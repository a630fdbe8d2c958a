#pragma once

#include <windows.h>

#include "ui/model/dpi_scaling.h"

namespace vantrel {

// Text colours of a link: blue while the mouse is elsewhere, red while it is over the link.
inline constexpr COLORREF kLinkNormalColour = 0x00FF0000;
inline constexpr COLORREF kLinkHoverColour = 0x000000FF;

// The DrawTextW format of a link's text, from the button's style: one vertically centred
// line, or word-wrapped with BS_MULTILINE; always ended with an ellipsis when too long.
// BS_RIGHT aligns right, otherwise a missing BS_LEFT centres; BS_LEFT alone aligns left.
// BS_RIGHT is tested first, so BS_CENTER (both bits) aligns right.
inline UINT HyperLinkTextFormat(LONG_PTR style) {
    UINT format = (style & BS_MULTILINE) != 0 ? (DT_WORDBREAK | DT_END_ELLIPSIS)
                                              : (DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if ((style & BS_RIGHT) == BS_RIGHT) {
        format |= DT_RIGHT;
    } else if ((style & BS_LEFT) != BS_LEFT) {
        format |= DT_CENTER;
    }
    return format;
}

// The room on either side of a link's text: one pixel at 96 DPI.
inline int HyperLinkTextMargin(int dpi) {
    return ScaleForDpi(1, dpi);
}

// The width that fits a link to its text: the text and its margin on either side.
inline int HyperLinkWidthForText(int text_width, int dpi = kDefaultDpi) {
    return text_width + 2 * HyperLinkTextMargin(dpi);
}

struct HyperLinkLook {
    COLORREF text_colour;
    HFONT font;
};

// Hovering shows the hover colour and the hover font (the control's own font when there
// is none); otherwise the normal colour and the control's own font.
inline HyperLinkLook ChooseHyperLinkLook(bool hovering, HFONT hover_font, HFONT own_font) {
    if (hovering) {
        return {kLinkHoverColour, hover_font != nullptr ? hover_font : own_font};
    }
    return {kLinkNormalColour, own_font};
}

}  // namespace vantrel
