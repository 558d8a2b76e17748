#include "qt/qt_controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QThread>

#include "app/control_ids.h"
#include "app/window_progress.h"
#include "qt/control_widgets.h"
#include "qt/dialog_fonts.h"
#include "qt/drop_down_combo.h"
#include "qt/pane_text.h"
#include "qt/qt_text.h"

namespace tessorin::qt {
namespace {

// Select the end, replace the selection with the text, scroll it into view.
void appendToPane(QPlainTextEdit& pane, const QString& text) {
    QTextCursor end(pane.document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    pane.setTextCursor(end);
    pane.ensureCursorVisible();
}

}  // namespace

QIcon applicationIcon() { return QIcon(QStringLiteral(":/tessorin/tessorin.ico")); }

QtControls::QtControls(QWidget& dialog, const ControlWidgets& templateControls, std::function<void(int)> command)
    : dialog_(&dialog), command_(std::move(command)) {
    for (const auto& [id, widget] : templateControls) add(id, widget);
    // The Download button's bar, beside the template's controls.
    QWidget* bar = makeProgressBarWidget(kDownloadProgressId, dialog);
    placeControl(*bar, dialogUnitsToPixels(kDownloadProgressRect, baseUnitsOf(dialog)));
    add(kDownloadProgressId, bar);
}

void QtControls::add(int id, QWidget* widget) {
    controls_.emplace_back(id, widget);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        QObject::connect(button, &QAbstractButton::clicked, &windowThread_, [this, id] { command_(id); });
}

QWidget* QtControls::widget(int id) const {
    for (const auto& [controlId, widget] : controls_)
        if (controlId == id && widget) return widget;
    return nullptr;
}

void QtControls::detach() { attached_.store(false); }

std::string QtControls::controlText(int id) {
    QWidget* w = widget(id);
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return fromQString(button->text());
    if (auto* label = qobject_cast<QLabel*>(w)) return fromQString(label->text());
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return fromQString(edit->text());
    if (auto* combo = qobject_cast<QComboBox*>(w)) return fromQString(combo->currentText());
    if (auto* pane = qobject_cast<QPlainTextEdit*>(w)) return fromQString(pane->toPlainText());
    if (auto* group = qobject_cast<QGroupBox*>(w)) return fromQString(group->title());
    return {};
}

void QtControls::setControlText(int id, std::string_view text) {
    QWidget* w = widget(id);
    const QString value = toQString(text);
    if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(w)) label->setText(value);
    else if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(w)) combo->setEditText(value);
    else if (auto* pane = qobject_cast<QPlainTextEdit*>(w)) pane->setPlainText(paneDisplayText(text));
    else if (auto* group = qobject_cast<QGroupBox*>(w)) group->setTitle(value);
}

void QtControls::enableControl(int id, bool enabled) {
    if (QWidget* w = widget(id)) w->setEnabled(enabled);
}

std::string QtControls::windowCaption() { return dialog_ ? fromQString(dialog_->windowTitle()) : std::string(); }

void QtControls::setWindowCaption(std::string_view caption) {
    if (dialog_) dialog_->setWindowTitle(toQString(caption));
}

void QtControls::comboResetContent(int id) {
    if (auto* combo = qobject_cast<QComboBox*>(widget(id))) {
        combo->clear();
        combo->clearEditText();
    }
}

void QtControls::comboAddString(int id, std::string_view text) {
    if (auto* combo = qobject_cast<QComboBox*>(widget(id))) combo->addItem(toQString(text));
}

void QtControls::comboSetCurSel(int id, int index) {
    auto* combo = qobject_cast<QComboBox*>(widget(id));
    if (!combo) return;
    // An index outside the list selects nothing and empties the field.
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    if (combo->currentIndex() < 0) combo->clearEditText();
}

int QtControls::comboGetCurSel(int id) {
    auto* combo = qobject_cast<QComboBox*>(widget(id));
    return combo ? combo->currentIndex() : -1;
}

void QtControls::comboSetItemHeight(int id, int pixels) {
    if (auto* combo = dynamic_cast<DropDownCombo*>(widget(id))) combo->setItemHeight(pixels);
}

PixelRect QtControls::controlRect(int id) {
    QWidget* w = widget(id);
    if (!w) return {};
    const QRect r = w->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void QtControls::moveControl(int id, const PixelRect& rect) {
    if (QWidget* w = widget(id)) placeControl(*w, rect);
}

// Not the dialog's font: run-time controls take the platform's default control font.
void QtControls::createControl(const ControlCreation& creation) {
    if (!dialog_) return;
    QWidget* made = makeControlWidget(creation.id, creation.kind, creation.text, styleOfCreated(creation), *dialog_);
    made->setFont(defaultControlFont());
    placeControl(*made, creation.rect);
    made->show();
    add(creation.id, made);
}

void QtControls::destroyControl(int id) {
    for (auto entry = controls_.begin(); entry != controls_.end(); ++entry) {
        if (entry->first != id || !entry->second) continue;
        delete entry->second.data();
        controls_.erase(entry);
        return;
    }
}

// From another thread the append is queued to the window's thread and waited
// for, so appends land whole and in order and no widget is touched off its thread.
void QtControls::paneAppend(std::string_view text) {
    if (text.empty() || !attached_.load()) return;
    auto append = [this, shown = paneDisplayText(text)] {
        if (auto* pane = qobject_cast<QPlainTextEdit*>(widget(kLogPaneId))) appendToPane(*pane, shown);
    };
    if (QThread::currentThread() == windowThread_.thread()) append();
    else QMetaObject::invokeMethod(&windowThread_, append, Qt::BlockingQueuedConnection);
}

// Queued without waiting: a download worker never waits for the window's
// thread for its progress, and a later position always arrives after an earlier one.
void QtControls::setProgress(int id, int percent) {
    if (!attached_.load()) return;
    auto set = [this, id, percent] {
        if (auto* bar = qobject_cast<QProgressBar*>(widget(id))) bar->setValue(percent);
    };
    if (QThread::currentThread() == windowThread_.thread()) set();
    else QMetaObject::invokeMethod(&windowThread_, set, Qt::QueuedConnection);
}

void QtControls::setIcons() {
    if (dialog_) dialog_->setWindowIcon(applicationIcon());
}

void QtControls::acceptDroppedFiles() {
    if (dialog_) dialog_->setAcceptDrops(true);
}

void QtControls::setDragHintFont() {
    if (QWidget* hint = widget(kDragHintLabelId)) hint->setFont(dragHintFont());
}

// A tool window (no taskbar entry) of no size at 0,0, below every other window.
void QtControls::hideForStation() {
    if (!dialog_) return;
    dialog_->setWindowFlag(Qt::Tool, true);
    dialog_->setFixedSize(0, 0);
    dialog_->move(0, 0);
    dialog_->lower();
}

}  // namespace tessorin::qt
