#pragma once
// Dialog units to pixels, the way the Windows dialog manager converts them, so
// the window on Linux is laid out like the dialog on Windows.
#include "app/dialog_template.h"

class QFont;

namespace tessorin::qt {

// The dialog font's average character width and its height, in pixels.
struct DialogBaseUnits {
    int x = 0, y = 0;
    bool operator==(const DialogBaseUnits&) const = default;
};

// From the width of "A..Za..z" and the character height, as Windows measures a dialog font.
DialogBaseUnits dialogBaseUnits(const QFont& font);

// Position and size are scaled on their own (x and width by base x / 4, y and
// height by base y / 8, each rounded as MulDiv rounds), as when the dialog
// manager creates a template's control.
PixelRect dialogUnitsToPixels(const DialogUnitRect& rect, DialogBaseUnits base);

}  // namespace tessorin::qt
