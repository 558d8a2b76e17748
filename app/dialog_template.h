#pragma once
// Dialog template 102, the main window, as portable data: the Win32 layer builds
// the real dialog from it and the in-memory controls lay themselves out by it.
#include <string>
#include <vector>

#include "app/window_controls.h"

namespace tessorin {

struct DialogUnitRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const DialogUnitRect&) const = default;
};

enum class TextAlignment { Unspecified, Left, Right };

struct ControlStyle {
    TextAlignment alignment = TextAlignment::Unspecified;  // statics
    bool sunken = false;                                    // statics: sunken edge
    bool pathEllipsis = false;                              // statics: long paths shortened in the middle
    bool border = false;                                    // edits
    bool autoHorizontalScroll = false;                      // edits
    // The log pane: multi-line, read-only, auto-scroll both ways, both scroll bars.
    bool readOnlyMultilinePane = false;
    // Combos: editable field and a list with a vertical scroll bar; the height
    // of the rectangle is that of the open list.
    bool dropDown = false;
    bool tabStop = false;                                   // push buttons and combos
};

struct TemplateControl {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    std::string text;
    DialogUnitRect rect;
    ControlStyle style;
    bool visible = true;  // hidden controls lack the visible style and nothing shows them
};

struct DialogTemplate {
    int resourceId = 0;
    std::string caption;
    int width = 0, height = 0;  // dialog units
    std::string fontFace;
    int fontPointSize = 0;
    // Pop-up with caption, system menu and minimise box, modal frame, centred,
    // with a taskbar button (application-window extended style).
    bool popup = true, hasCaption = true, systemMenu = true, minimiseBox = true;
    bool modalFrame = true, centred = true, applicationWindow = true;
    std::vector<TemplateControl> controls;  // in template order
};

const DialogTemplate& mainDialogTemplate();

}  // namespace tessorin
