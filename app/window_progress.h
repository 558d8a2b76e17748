#pragma once
// The Download button's progress bar. It is not in template 102: each platform
// makes it beside the template's controls, at this place, when it makes the
// dialog; the window logic drives it through the controls seam.
#include "app/dialog_template.h"
#include "base/progress_sink.h"

namespace tessorin {

class CBrevoxDownloadToolDlg;

inline constexpr int kDownloadProgressId = 1007;
// Under the image path, above the log pane, as wide as the pane.
inline constexpr DialogUnitRect kDownloadProgressRect{7, 91, 306, 9};

// Sets the bar in whole percent, and only when the percent changes, so a
// report costs the download no more than a division.
class WindowProgress final : public ProgressSink {
public:
    explicit WindowProgress(CBrevoxDownloadToolDlg& window) : window_(window) {}
    void progress(uint64_t sent, uint64_t total) override;

private:
    CBrevoxDownloadToolDlg& window_;
    int shown_ = -1;  // no position set yet
};

}  // namespace tessorin
