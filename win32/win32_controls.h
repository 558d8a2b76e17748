#pragma once
// The window logic's controls seam over the real controls of a dialog built from
// template 102, addressed by control id.
#include <windows.h>

#include <atomic>

#include "app/window_controls.h"

namespace tessorin::win32 {

class Win32Controls final : public WindowControls {
public:
    // dialog: the window made from template 102; the object does not own it.
    explicit Win32Controls(HWND dialog);
    ~Win32Controls() override;
    Win32Controls(const Win32Controls&) = delete;
    Win32Controls& operator=(const Win32Controls&) = delete;

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

    HWND dialog() const { return dialog_.load(); }
    HICON appIcon() const { return appIcon_; }
    // The dialog is being destroyed: later calls, from a worker still running, do nothing.
    void detach() { dialog_.store(nullptr); }

private:
    HWND control(int id) const;
    LRESULT sendTo(int id, UINT message, WPARAM wParam, LPARAM lParam);

    std::atomic<HWND> dialog_;
    HICON appIcon_;
    HFONT dragHintFont_ = nullptr;  // lives as long as the window
};

}  // namespace tessorin::win32
