#include "app/main_window.h"

#include <chrono>
#include <stdexcept>
#include <thread>


namespace tessorin {

CBrevoxDownloadToolDlg::CBrevoxDownloadToolDlg(WindowSeams seams)
    : messages(&buildMessageTable()), seams_(std::move(seams)) {}

CBrevoxDownloadToolDlg::~CBrevoxDownloadToolDlg() {
    // Real time on purpose: a worker's board traffic runs on the real clock too.
    while (downloadBusy.load()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void CBrevoxDownloadToolDlg::attachControls(WindowControls& controls) { controls_ = &controls; }

WindowControls& CBrevoxDownloadToolDlg::controls() {
    if (!controls_) throw std::logic_error("the window's controls are used before the dialog exists");
    return *controls_;
}

void CBrevoxDownloadToolDlg::appendLogPane(std::string_view text) {
    std::string entry = withPaneLineEnd(text);
    if (!entry.empty()) controls().paneAppend(entry);
}

bool CBrevoxDownloadToolDlg::preTranslateKeyDown(int virtualKey) {
    return virtualKey == kEscapeKey || virtualKey == kEnterKey;
}

PixelPoint CBrevoxDownloadToolDlg::minimisedIconOrigin(int clientWidth, int clientHeight, int iconWidth,
                                                        int iconHeight) {
    return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}

}  // namespace tessorin
