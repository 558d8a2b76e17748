// Every control the operator sees, pressed with the mouse through the window's
// own hit testing (the press goes to the top-level window, not to the control),
// and reached with Tab; the emulated board answers the RF buttons.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

#include <set>

#include "app/control_ids.h"
#include "emulator/emulator_session.h"
#include "qt/control_widgets.h"
#include "runner/log_capture.h"
#include "tests/config/config_data.h"
#include "tests/qt/file_dialog_answers.h"
#include "tests/qt/qt_window_session.h"

namespace tessorin::testing {
namespace {

std::string nameOf(QWidget* widget) {
    return std::to_string(qt::controlIdOf(*widget)) + " (" + widget->metaObject()->className() + ")";
}

// The controls an operator can press: shown, enabled, and not a frame.
std::vector<QWidget*> pressableControls(QWidget& dialog) {
    std::vector<QWidget*> controls;
    for (QObject* child : dialog.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && qt::controlIdOf(*widget) != 0 && widget->isVisible() && widget->isEnabled() &&
            !qobject_cast<QGroupBox*>(widget))
            controls.push_back(widget);
    }
    return controls;
}

void pressThroughWindow(QWidget& dialog, QPoint point) {
    QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
}

QPoint arrowOf(QComboBox& combo) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    const QRect arrow = combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, &combo);
    return combo.mapTo(combo.window(), arrow.center());
}

class QtWindowMouse : public ::testing::Test {
protected:
    QtWindowMouse() { board_ = emulator_.emulator.addBoard(0x3C05); }

    emulator::EmulatorSession emulator_;
    runner::LogCapture log_;
    QtWindowSession session_;
    int board_ = -1;
};

TEST_F(QtWindowMouse, APressAtTheCentreOfEveryControlReachesItAndRunsItsHandler) {
    session_.run([&] {
        QWidget& dialog = session_.dialog();
        session_.drop({configDataPath("worked_example.ini")});
        ASSERT_NE(session_.item(kConfiguredButtonBaseId), nullptr) << "the configured row was not built";
        FileDialogAnswers answers;
        int buttonsPressed = 0;
        for (QWidget* control : pressableControls(dialog)) {
            const QPoint centre = control->geometry().center();
            QWidget* hit = dialog.childAt(centre);
            EXPECT_TRUE(hit == control || control->isAncestorOf(hit))
                << nameOf(control) << " is covered by " << (hit ? nameOf(hit) : "nothing");
            if (qobject_cast<QAbstractButton*>(control)) {
                answers.cancel();  // for the two SELECT file buttons
                const std::string paneBefore = session_.pane();
                const size_t dialogsBefore = answers.seen().size();
                pressThroughWindow(dialog, centre);
                EXPECT_TRUE(session_.pane() != paneBefore || answers.seen().size() != dialogsBefore)
                    << "pressing " << nameOf(control) << " ran no handler";
                ++buttonsPressed;
            } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
                pressThroughWindow(dialog, arrowOf(*combo));
                EXPECT_TRUE(combo->view()->isVisible()) << "the arrow of " << nameOf(control) << " opened no list";
                combo->hidePopup();
            }
        }
        // The seven RF SELECTs, the two file buttons, Download and the configured SET.
        EXPECT_EQ(buttonsPressed, 11);
        EXPECT_FALSE(emulator_.emulator.trace().empty()) << "no RF press reached the board";
    });
}

TEST_F(QtWindowMouse, TabReachesEveryFixedAndConfiguredRow) {
    session_.run([&] {
        session_.drop({configDataPath("worked_example.ini")});
        std::set<int> reached;
        session_.item(kSelectIniButtonId)->setFocus();
        for (int press = 0; press < 80; ++press) {
            QWidget* focus = session_.dialog().focusWidget();
            ASSERT_NE(focus, nullptr);
            QTest::keyClick(focus, Qt::Key_Tab);
            while (focus && qt::controlIdOf(*focus) == 0) focus = focus->parentWidget();
            if (focus) reached.insert(qt::controlIdOf(*focus));
        }
        for (int id : {kConfiguredComboBaseId, kConfiguredButtonBaseId, 1015, 1019, kDownloadButtonId})
            EXPECT_TRUE(reached.count(id)) << "Tab never reaches " << id;
    });
}

}  // namespace
}  // namespace tessorin::testing
