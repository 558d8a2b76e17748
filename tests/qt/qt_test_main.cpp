// The Qt window suite: one QApplication for every test, on Qt's offscreen
// platform unless QT_QPA_PLATFORM names another.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdio>

namespace {

// A widget touched from a thread other than the window's makes Qt warn about
// threads; in this suite that is a failure, not noise.
void failOnThreadWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg && message.contains(QLatin1String("thread"), Qt::CaseInsensitive))
        ADD_FAILURE() << "Qt: " << message.toStdString();
    else if (type != QtDebugMsg)
        std::fprintf(stderr, "Qt: %s\n", message.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    qInstallMessageHandler(failOnThreadWarnings);
    return RUN_ALL_TESTS();
}
