#include "tests/qt/qt_window_session.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "qt/qt_text.h"

namespace tessorin::testing {

QtWindowSession::QtWindowSession(QtWindowOptions options)
    : window_(WindowSeams{host_.fileDialog(), std::nullopt, [path = options.programPath] { return path; },
                          options.openLog,
                          [this](std::function<void()> work) { return workers_.start(std::move(work)); },
                          {}}) {}

void QtWindowSession::run(const std::function<void()>& drive) {
    QTimer::singleShot(0, [&] {
        drive();
        if (host_.dialog() && host_.dialog()->isVisible()) host_.dialog()->close();
    });
    host_.runModal(window_);
}

void QtWindowSession::click(int id) {
    QWidget* control = item(id);
    if (control) QTest::mouseClick(control, Qt::LeftButton);
    else ADD_FAILURE() << "no control " << id << " to click";
}

bool QtWindowSession::drop(const std::vector<std::string>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) urls << QUrl::fromLocalFile(qt::toQString(path));
    data.setUrls(urls);
    const QPointF point = dialog().rect().center();
    QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog(), &dropped);
    return dropped.isAccepted();
}

std::string paneLineOf(MessageId id) {
    static const MessageTable english(1252);
    std::string text = english[id];
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text + "\n";
}

bool serveUntil(const std::function<bool()>& condition) {
    for (int waited = 0; waited < 20000; waited += 5) {
        if (condition()) return true;
        QTest::qWait(5);
    }
    return condition();
}

}  // namespace tessorin::testing
