#include "qt/main_dialog.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "app/dialog_template.h"
#include "base/text.h"
#include "qt/qt_text.h"

namespace tessorin::qt {
namespace {

// A dropped path is read into a buffer of 260 UTF-16 units, terminator included.
constexpr size_t kDroppedPathUnits = 259;

// The Windows virtual key of the two keys the window logic looks at; 0 for any other.
int virtualKeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape: return kEscapeKey;
        case Qt::Key_Return:
        case Qt::Key_Enter: return kEnterKey;
        default: return 0;
    }
}

std::vector<std::string> localPaths(const QMimeData& data) {
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) paths.push_back(truncateToUtf16Units(fromQString(url.toLocalFile()), kDroppedPathUnits));
    return paths;
}

// Pop-up with caption, system menu, minimise and close box; no maximise, no resizing.
constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                         Qt::WindowCloseButtonHint;

// A download worker may be waiting for a pane append when the window closes:
// serve the window's thread until it has finished, so it never blocks for good.
void serveWhileBusy(const std::atomic<bool>& busy) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!busy.load()) loop.quit();
    });
    poll.start(10);
    if (busy.load()) loop.exec();
}

}  // namespace

QtMainDialog::QtMainDialog(CBrevoxDownloadToolDlg& window)
    : QDialog(nullptr, kWindowFlags), window_(window), templateControls_(layOutTemplate(*this, mainDialogTemplate())) {
    qApp->installEventFilter(this);
}

QtMainDialog::~QtMainDialog() { qApp->removeEventFilter(this); }

void QtMainDialog::centreOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->availableGeometry().center() - rect().center());
}

bool QtMainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* target = static_cast<QWidget*>(watched);
        // Only this window's own widgets: an open file dialog or combo list keeps its keys.
        if ((target == this || isAncestorOf(target)) &&
            window_.preTranslateKeyDown(virtualKeyOf(static_cast<QKeyEvent*>(event)->key())))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void QtMainDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptDrops() && !localPaths(*event->mimeData()).empty()) event->acceptProposedAction();
}

void QtMainDialog::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths = localPaths(*event->mimeData());
    if (paths.empty()) return;
    event->acceptProposedAction();
    window_.OnDropFiles(paths);
}

WindowSeams QtDialogHost::windowSeams() { return productWindowSeams(fileDialog_); }

void QtDialogHost::runModal(CBrevoxDownloadToolDlg& window) {
    QtMainDialog dialog(window);
    controls_ = std::make_unique<QtControls>(dialog, dialog.templateControls(),
                                             [&window](int id) { window.onCommand(id); });
    dialog_ = &dialog;
    fileDialog_.setOwner(&dialog);
    window.attachControls(*controls_);
    // In the command-line start this runs the station loop and does not return while it runs.
    if (window.OnInitDialog()) {
        dialog.centreOnScreen();
        dialog.exec();  // the result is not used
    }
    serveWhileBusy(window.downloadBusy);
    controls_->detach();
    fileDialog_.setOwner(nullptr);
    dialog_ = nullptr;
}

}  // namespace tessorin::qt
