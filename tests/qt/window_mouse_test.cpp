// Every control the operator sees, pressed with the mouse through the window's
// own hit testing (the press goes to the top-level window, not to the control),
// and reached with Tab; the emulated board answers the RF buttons.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
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

TEST(QtWindowMouse, APressAtTheCentreOfEveryControlReachesItAndRunsItsHandler) {
    emulator::EmulatorSession emulator;
    emulator.emulator.addBoard(0x3C05);
    runner::LogCapture log;
    QtWindowSession session;
    session.run([&] {
        QWidget& dialog = session.dialog();
        session.drop({configDataPath("worked_example.ini")});  // its configured row
        FileDialogAnswers answers;
        int buttonsPressed = 0;
        for (QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!qt::controlIdOf(*control) || !control->isVisible() || !control->isEnabled() ||
                qobject_cast<QGroupBox*>(control))
                continue;
            const std::string name = std::to_string(qt::controlIdOf(*control));
            QWidget* hit = dialog.childAt(control->geometry().center());
            EXPECT_TRUE(hit == control || control->isAncestorOf(hit))
                << name << " is covered by " << (hit ? qt::controlIdOf(*hit) : 0);
            if (qobject_cast<QAbstractButton*>(control)) {
                answers.cancel();  // for the two file buttons
                const std::string paneBefore = session.pane();
                const size_t dialogsBefore = answers.seen().size();
                pressThroughWindow(dialog, control->geometry().center());
                EXPECT_TRUE(session.pane() != paneBefore || answers.seen().size() != dialogsBefore)
                    << "pressing " << name << " ran no handler";
                ++buttonsPressed;
            } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
                pressThroughWindow(dialog, arrowOf(*combo));
                EXPECT_TRUE(combo->view()->isVisible()) << "the arrow of " << name << " opened no list";
                combo->hidePopup();
            }
        }
        // The seven RF SELECTs, the two file buttons, Download and the configured SET.
        EXPECT_EQ(buttonsPressed, 11);
        EXPECT_FALSE(emulator.emulator.trace().empty()) << "no RF press reached the board";
    });
}

TEST(QtWindowKeys, TabReachesTheFixedAndTheConfiguredRows) {
    runner::LogCapture log;
    QtWindowSession session;
    session.run([&] {
        session.drop({configDataPath("worked_example.ini")});
        std::set<int> reached;
        session.item(kSelectIniButtonId)->setFocus();
        for (int press = 0; press < 80 && session.dialog().focusWidget(); ++press) {
            QTest::keyClick(session.dialog().focusWidget(), Qt::Key_Tab);
            QWidget* focus = session.dialog().focusWidget();
            while (focus && !qt::controlIdOf(*focus)) focus = focus->parentWidget();  // a combo's field
            if (focus) reached.insert(qt::controlIdOf(*focus));
        }
        for (int id : {kConfiguredComboBaseId, kConfiguredButtonBaseId, 1015, 1019, kDownloadButtonId})
            EXPECT_TRUE(reached.count(id)) << "Tab never reaches " << id;
    });
}

}  // namespace
}  // namespace tessorin::testing
