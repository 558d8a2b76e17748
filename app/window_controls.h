#pragma once
// The window's logic reaches its controls only through this interface, by
// control id. Win32 implements it with the real controls of dialog template 102,
// Qt with its widgets (qt/), the console station with invisible controls
// (station/station_console.h), the runner and the tests in memory.
#include <string>
#include <string_view>

namespace tessorin {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

enum class ControlKind { PushButton, Static, Edit, ComboBox, GroupBox };

// A control created at run time (the configured panel).
struct ControlCreation {
    ControlKind kind = ControlKind::Static;
    int id = 0;
    std::string text;
    PixelRect rect;                // client pixels
    bool rightAligned = false;     // statics: text right-aligned
};

class WindowControls {
public:
    virtual ~WindowControls() = default;

    // Controls of the template and those created at run time. Id -1 names the
    // first control with that id in template order, as the platform does.
    virtual std::string controlText(int id) = 0;
    virtual void setControlText(int id, std::string_view text) = 0;
    virtual void enableControl(int id, bool enabled) = 0;

    virtual std::string windowCaption() = 0;
    virtual void setWindowCaption(std::string_view caption) = 0;

    virtual void comboResetContent(int id) = 0;
    virtual void comboAddString(int id, std::string_view text) = 0;
    // An index outside the list leaves no entry selected.
    virtual void comboSetCurSel(int id, int index) = 0;
    // -1 when nothing is selected.
    virtual int comboGetCurSel(int id) = 0;
    virtual void comboSetItemHeight(int id, int pixels) = 0;

    // Window rectangle in client coordinates.
    virtual PixelRect controlRect(int id) = 0;
    virtual void moveControl(int id, const PixelRect& rect) = 0;
    virtual void createControl(const ControlCreation& creation) = 0;
    virtual void destroyControl(int id) = 0;

    // Puts text at the end of the log pane (select the end, replace the
    // selection, no undo, scroll into view). Callable from any thread: the
    // operation runs on the window's thread and the caller waits for it.
    virtual void paneAppend(std::string_view text) = 0;

    // A progress bar's position, 0 to 100. Callable from any thread without
    // waiting for the window's: the bar shows the latest position set.
    virtual void setProgress(int id, int percent) = 0;

    // Window set-up that has no control id.
    virtual void setIcons() = 0;                 // icon 128, big and small
    virtual void acceptDroppedFiles() = 0;
    virtual void setDragHintFont() = 0;          // Arial, height 30, on static 1044
    virtual void hideForStation() = 0;           // tool window at 0,0 size 0, bottom of z-order
};

}  // namespace tessorin
