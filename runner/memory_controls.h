#pragma once
// The window's controls in memory, laid out from dialog template 102, for the
// window tests and the headless runner.
//
// Dialog units become pixels as MS Shell Dlg 9 point does at 96 DPI: base units
// of 7 x 15 pixels, so x * 7 / 4 and y * 15 / 8, each edge rounded as MulDiv does.
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_template.h"
#include "app/window_controls.h"

namespace tessorin::runner {

inline constexpr int kBaseUnitX = 7;
inline constexpr int kBaseUnitY = 15;

PixelRect dialogUnitsToPixels(const DialogUnitRect& rect);

struct MemoryControl {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    std::string text;
    PixelRect rect;
    bool visible = true;
    bool enabled = true;
    bool created = false;       // made at run time, not from the template
    bool rightAligned = false;
    std::vector<std::string> items;  // combo list
    int selection = -1;
    int itemHeight = 0;
};

class MemoryControls final : public WindowControls {
public:
    explicit MemoryControls(const DialogTemplate& dialog = mainDialogTemplate());

    std::string controlText(int id) override;
    void setControlText(int id, std::string_view text) override;
    void enableControl(int id, bool enabled) override;
    std::string windowCaption() override;
    void setWindowCaption(std::string_view caption) override;
    void comboResetContent(int id) override;
    void comboAddString(int id, std::string_view text) override;
    void comboSetCurSel(int id, int index) override;
    int comboGetCurSel(int id) override;
    void comboSetItemHeight(int id, int pixels) override;
    PixelRect controlRect(int id) override;
    void moveControl(int id, const PixelRect& rect) override;
    void createControl(const ControlCreation& creation) override;
    void destroyControl(int id) override;
    void paneAppend(std::string_view text) override;
    // Only the Download button's progress bar, which the platform makes beside the template.
    void setProgress(int id, int percent) override;
    void setIcons() override;
    void acceptDroppedFiles() override;
    void setDragHintFont() override;
    void hideForStation() override;

    // Inspection. A copy of the first control with that id, if there is one.
    std::optional<MemoryControl> find(int id) const;
    // Ids of the controls made at run time, in creation order.
    std::vector<int> createdIds() const;
    std::string paneText() const;
    // Every position the progress bar was set to, in order.
    std::vector<int> progressSteps() const;
    bool iconsSet() const;
    bool acceptsDrops() const;
    bool dragHintFontSet() const;
    bool hiddenForStation() const;
    // Operations on an id no control has; the platform ignores them, tests should not make them.
    int unknownIdUses() const;

private:
    MemoryControl* lookup(int id);  // caller holds mutex_

    mutable std::mutex mutex_;
    std::vector<MemoryControl> controls_;
    std::string caption_;
    std::string pane_;
    std::vector<int> progressSteps_;
    bool iconsSet_ = false;
    bool acceptsDrops_ = false;
    bool dragHintFont_ = false;
    bool hiddenForStation_ = false;
    int unknownIdUses_ = 0;
};

}  // namespace tessorin::runner
