#include "app/window_progress.h"

#include "app/main_window.h"

namespace tessorin {

void WindowProgress::progress(uint64_t sent, uint64_t total) {
    const int percent = total == 0 ? 0 : static_cast<int>(sent * 100 / total);
    if (percent == shown_) return;
    shown_ = percent;
    window_.controls().setProgress(kDownloadProgressId, percent);
}

}  // namespace tessorin
