#include "app/window_hosts.h"

#include "app/main_window.h"
#include "report/handler_guard.h"

namespace tessorin {
namespace {

// The banner stays in the window's scratch text, as the seed's window kept it.
void windowBanner(CBrevoxDownloadToolDlg& window, std::string_view qualifiedName) {
    logHandlerBanner(window.scratchText, window, qualifiedName);
}

}  // namespace

const MessageTable& WindowDownloadHost::messages() const { return *window_.messages; }
LogPane& WindowDownloadHost::logPane() { return window_; }
std::string WindowDownloadHost::romPath() const { return window_.romPath; }
std::atomic<bool>& WindowDownloadHost::downloadBusy() { return window_.downloadBusy; }
void WindowDownloadHost::banner(std::string_view qualifiedName) { windowBanner(window_, qualifiedName); }

bool WindowDownloadHost::startWorker(std::function<void()> work) {
    return window_.seams().startWorker(std::move(work));
}

int WindowRfHost::comboSelection(int comboId) { return window_.controls().comboGetCurSel(comboId); }
std::string WindowRfHost::controlText(int controlId) { return window_.controls().controlText(controlId); }
const MessageTable& WindowRfHost::messages() { return *window_.messages; }
LogPane& WindowRfHost::pane() { return window_; }
const TestConfig* WindowRfHost::configuration() { return window_.configuration.get(); }

ExtControlList WindowRfHost::configuredControls() { return window_.configuredControls; }

void WindowRfHost::banner(std::string_view qualifiedName) { windowBanner(window_, qualifiedName); }
std::string& WindowRfHost::commandText() { return window_.commandText; }
bool WindowRfHost::downloadBusy() { return window_.downloadBusy.load(); }

}  // namespace tessorin
