#include "app/window_hosts.h"

#include "app/main_window.h"

namespace tessorin {

const MessageTable& WindowDownloadHost::messages() const { return *window_.messages; }
LogPane& WindowDownloadHost::logPane() { return window_; }
std::string WindowDownloadHost::romPath() const { return window_.romPath; }
std::string WindowDownloadHost::commandLineImagePath() const { return window_.commandLineImagePath; }
std::vector<std::string> WindowDownloadHost::commandLineItems() const { return window_.commandLineItems; }
std::atomic<bool>& WindowDownloadHost::downloadBusy() { return window_.downloadBusy; }
std::string& WindowDownloadHost::scratchText() { return window_.scratchText; }

bool WindowDownloadHost::startWorker(std::function<void()> work) {
    return window_.seams().startWorker(std::move(work));
}

int WindowRfHost::comboSelection(int comboId) { return window_.controls().comboGetCurSel(comboId); }
std::string WindowRfHost::controlText(int controlId) { return window_.controls().controlText(controlId); }
const MessageTable& WindowRfHost::messages() { return *window_.messages; }
LogPane& WindowRfHost::pane() { return window_; }
const TestConfig* WindowRfHost::configuration() { return window_.configuration.get(); }

ExtControlList WindowRfHost::configuredControls() { return window_.configuredControls; }

std::string& WindowRfHost::scratchText() { return window_.scratchText; }
std::string& WindowRfHost::commandText() { return window_.commandText; }
bool WindowRfHost::downloadBusy() { return window_.downloadBusy.load(); }

}  // namespace tessorin
