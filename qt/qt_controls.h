#pragma once
// The window logic's controls seam over the widgets of the Qt window, addressed
// by control id. Everything but the pane append runs on the window's thread.
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <vector>

#include "app/window_controls.h"
#include "qt/template_layout.h"

namespace tessorin::qt {

// Icon resource 128 of the Windows program, the same picture.
QIcon applicationIcon();

class QtControls final : public WindowControls {
public:
    // dialog: the window the template was laid out in; command: a button's
    // click, by its id. The object does not own the dialog.
    QtControls(QWidget& dialog, const ControlWidgets& templateControls, std::function<void(int)> command);
    QtControls(const QtControls&) = delete;
    QtControls& operator=(const QtControls&) = delete;

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
    void setProgress(int id, int percent) override;
    void setIcons() override;
    void acceptDroppedFiles() override;
    void setDragHintFont() override;
    void hideForStation() override;

    // The first control with the id (id -1: the first unnamed one), or nullptr.
    QWidget* widget(int id) const;
    // The window has closed: later calls, from a worker still running, do nothing.
    void detach();

private:
    void add(int id, QWidget* widget);

    QPointer<QWidget> dialog_;
    std::vector<std::pair<int, QPointer<QWidget>>> controls_;  // template order, then creation order
    std::function<void(int)> command_;
    QObject windowThread_;  // carries pane appends from other threads to the window's
    std::atomic<bool> attached_{true};
};

}  // namespace tessorin::qt
