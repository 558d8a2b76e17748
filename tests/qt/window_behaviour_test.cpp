// The real window driven as an operator drives it: keys, the close box, drops,
// the open-file dialog, the INI rebuild and the pane.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

#include "app/control_ids.h"
#include "app/program_path.h"
#include "qt/control_widgets.h"
#include "qt/drop_down_combo.h"
#include "qt/qt_text.h"
#include "tests/qt/qt_printers.h"
#include "tests/app/panel_ini.h"
#include "tests/support/temp_folder.h"
#include "tests/qt/file_dialog_answers.h"
#include "tests/qt/qt_window_session.h"
#include "runner/log_capture.h"

namespace tessorin::testing {
namespace {

TEST(QtWindowKeys, EscapeAndEnterNeitherCloseNorPressNorFillACombo) {
    runner::LogCapture log;
    QtWindowSession session;
    session.run([&] {
        FileDialogAnswers answers;
        QWidget* selectIni = session.item(kSelectIniButtonId);
        selectIni->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) QTest::keyClick(selectIni, key);
        QTest::keyClick(&session.dialog(), Qt::Key_Escape);
        // Enter in a combo's field would otherwise put the typed text into its list.
        auto* combo = session.itemAs<QComboBox>(1019);
        QTest::keyClicks(combo->lineEdit(), "2402");
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(combo->count(), 0);
        EXPECT_EQ(combo->currentText(), "2402");
        EXPECT_TRUE(session.dialog().isVisible());
        EXPECT_TRUE(answers.seen().empty()) << "Enter pressed Select INI";
        // The same window still takes a real press, and other keys reach their widgets.
        QTest::keyClick(selectIni, Qt::Key_Space);
        EXPECT_EQ(answers.seen().size(), 1u);
    });
    // run returned: the close box ended the window.
}

TEST(QtWindowDrops, EachKindOfDropAsTheOperatorSeesIt) {
    runner::LogCapture log;
    TempFolder dir;
    QtWindowSession session;
    session.run([&] {
        EXPECT_TRUE(session.drop({"/fw/a.rom", "/fw/b.rom"}));
        EXPECT_EQ(session.pane(), paneLineOf(msgOneFileOnly));
        EXPECT_EQ(session.window().romPath, "");

        session.drop({"/fw/image.bin"});
        session.drop({"/fw/rom"});
        // Cut to 259 UTF-16 units, as the 260-unit buffer reads it, the path loses its ending.
        session.drop({"/" + std::string(300, 'd') + ".rom"});
        EXPECT_EQ(session.pane(), paneLineOf(msgOneFileOnly) + paneLineOf(msgFileFormatError) +
                                      paneLineOf(msgFileFormatError) + paneLineOf(msgFileFormatError));
        EXPECT_EQ(session.window().romPath, "");

        session.drop({"/fw/下载 image.ROM"});
        EXPECT_EQ(session.window().romPath, "/fw/下载 image.ROM");
        EXPECT_EQ(session.text(kRomPathLabelId), "/fw/下载 image.ROM");

        const std::string ini = dir.write("station 配置.Ini", panelIni(2));
        session.drop({ini});
        EXPECT_EQ(qt::fromQString(session.dialog().windowTitle()), "Tessorin V2.4.6 [demo chip]");
        EXPECT_EQ(session.text(kIniPathLabelId), ini);
        EXPECT_NE(session.item(1325), nullptr);
        EXPECT_EQ(session.window().iniPath, "") << "a dropped INI file is loaded, not chosen";
    });
}

TEST(QtWindowFileChoice, SelectButtonsRunTheOpenFileDialogAndTakeTheChosenFile) {
    runner::LogCapture log;
    TempFolder dir;
    const std::string image = dir.write("下载.dat", "00\n");
    const std::string ini = dir.write("panel.ini", panelIni(1));
    QtWindowOptions options;
    options.programPath = dir.path("tessorin");
    QtWindowSession session(options);
    session.run([&] {
        FileDialogAnswers answers;
        answers.cancel();
        session.click(kSelectRomButtonId);
        EXPECT_EQ(session.text(kRomPathLabelId), "");
        EXPECT_EQ(session.window().romPath, "");

        answers.choose("下载.dat");
        session.click(kSelectRomButtonId);
        EXPECT_EQ(session.window().romPath, image);
        EXPECT_EQ(session.text(kRomPathLabelId), image);

        answers.choose(ini);
        session.click(kSelectIniButtonId);
        EXPECT_EQ(session.window().iniPath, ini);
        EXPECT_EQ(session.text(kIniPathLabelId), ini);
        EXPECT_EQ(qt::fromQString(session.dialog().windowTitle()), "Tessorin V2.4.6 [demo chip]");

        answers.cancel();
        session.click(kSelectIniButtonId);
        EXPECT_EQ(session.window().iniPath, ini) << "a cancel changes nothing";

        const std::vector<OpenDialogSeen>& seen = answers.seen();
        ASSERT_EQ(seen.size(), 4u);
        for (const OpenDialogSeen& dialog : seen) {
            EXPECT_EQ(dialog.folder, folderOfPath(options.programPath));
            EXPECT_TRUE(dialog.existingFileOnly);
        }
        EXPECT_EQ(seen[0].filterNames, QStringList{"ROM Files(*.rom;*.dat)"});
        EXPECT_EQ(seen[2].filterNames, QStringList{"IniFiles(*.ini)"});
    });
}

std::vector<std::string> comboItems(QComboBox* combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i) items.push_back(qt::fromQString(combo->itemText(i)));
    return items;
}

TEST(QtWindowIniLoad, FillsTheCombosAndEnablesTheRowsOfTheChip) {
    runner::LogCapture log;
    TempFolder dir;
    ChipOptions chip;
    chip.driftAddr = "";  // no frequency-drift register: the offset row is off
    const std::string ini = dir.write("chip.ini", panelIni(0, chip));
    QtWindowSession session;
    session.run([&] {
        session.drop({ini});
        for (const ComboState& c : combosAfterLoadingCommonSection()) {
            auto* combo = session.itemAs<QComboBox>(c.id);
            ASSERT_NE(combo, nullptr) << c.id;
            EXPECT_EQ(comboItems(combo), c.items) << c.id;
            EXPECT_EQ(combo->currentIndex(), c.selection) << c.id;
            EXPECT_EQ(qt::fromQString(combo->currentText()), c.selection < 0 ? "" : c.items[c.selection]) << c.id;
        }
        for (const RfRow& row : fixedRfRows()) {
            const bool on = row.valueControlId != 1004;
            EXPECT_EQ(session.item(row.valueControlId)->isEnabled(), on) << row.valueControlId;
            EXPECT_EQ(session.item(row.buttonId)->isEnabled(), on) << row.buttonId;
        }
        // Nothing of the template is shown or hidden by the load.
        EXPECT_FALSE(session.item(1039)->isVisible());
    });
}

TEST(QtWindowIniLoad, ConfiguredPanelRowsSitBelowTheRfGroup) {
    runner::LogCapture log;
    TempFolder dir;
    const std::string three = dir.write("three.ini", panelIni(3));
    QtWindowSession session;
    session.run([&] {
        for (int load = 0; load < 2; ++load) {
            session.drop({three});
            EXPECT_EQ(qt::fromQString(session.dialog().windowTitle()), "Tessorin V2.4.6 [demo chip]");
        }
        const int x = session.item(kFrequencyLabelId)->geometry().left();
        const int groupBottom = session.item(kRfGroupBoxId)->geometry().bottom() + 1;
        for (int i = 0; i < 3; ++i) {
            const int y = groupBottom + 10 + 30 * i;
            const std::string row = "row " + std::to_string(i);
            auto* label = session.itemAs<QLabel>(kConfiguredLabelBaseId + i);
            auto* combo = session.itemAs<qt::DropDownCombo>(kConfiguredComboBaseId + i);
            auto* button = session.itemAs<QPushButton>(kConfiguredButtonBaseId + i);
            ASSERT_TRUE(label && combo && button) << row;
            EXPECT_TRUE(label->isVisible() && combo->isVisible() && button->isVisible()) << row;
            EXPECT_EQ(label->geometry(), QRect(QPoint(x, y), QPoint(x + 179, y + 29))) << row;
            EXPECT_TRUE(label->alignment().testFlag(Qt::AlignRight)) << row;
            EXPECT_EQ(qt::fromQString(label->text()), "Row " + std::to_string(i + 1));
            EXPECT_EQ(combo->geometry().topLeft(), QPoint(x + 190, y)) << row;
            EXPECT_EQ(combo->width(), 100) << row;
            EXPECT_EQ(combo->openListHeight(), 400) << row;
            EXPECT_EQ(combo->itemHeight(), 20) << row;
            EXPECT_EQ(combo->view()->sizeHintForRow(0), 20) << row;
            // The open list, field included, fills the 400 pixels as far as whole items go.
            const int open = combo->height() + combo->maxVisibleItems() * 20;
            EXPECT_TRUE(open <= 400 && open > 380) << row << ": " << open;
            EXPECT_TRUE(combo->isEditable()) << row;
            EXPECT_EQ(comboItems(combo), (std::vector<std::string>{"a " + std::to_string(i + 1), "b " + std::to_string(i + 1)}));
            EXPECT_EQ(combo->currentIndex(), 0) << row;
            EXPECT_EQ(button->geometry(), QRect(QPoint(x + 295, y), QPoint(x + 374, y + 29))) << row;
            EXPECT_EQ(qt::fromQString(button->text()), "Set " + std::to_string(i + 1));
        }
        EXPECT_EQ(session.item(kConfiguredLabelBaseId + 3), nullptr);
        // A file without configured controls takes the panel away.
        session.drop({dir.write("none.ini", panelIni(0))});
        for (int id : {kConfiguredLabelBaseId, kConfiguredComboBaseId, kConfiguredButtonBaseId}) {
            EXPECT_EQ(session.item(id), nullptr) << id;
            for (QWidget* child : session.dialog().findChildren<QWidget*>())
                EXPECT_NE(qt::controlIdOf(*child), id) << "a widget of the old panel is left";
        }
    });
}

TEST(QtWindowPane, AppendsFromAWorkerThreadLandWholeAndInOrderOnTheWindowsThread) {
    runner::LogCapture log;
    QtWindowSession session;
    session.run([&] {
        const std::string line(999, 'x');
        std::atomic<bool> done{false};
        std::thread worker([&] {
            for (int i = 0; i < 40; ++i) session.window().appendLogPane(std::to_string(i % 10) + line);
            done = true;
        });
        // Each append waits until the window's thread has carried it out.
        EXPECT_TRUE(serveUntil([&] { return done.load(); }));
        worker.join();
        session.window().appendLogPane("end");
        const std::string pane = session.pane();
        ASSERT_EQ(pane.size(), 40 * 1001u + 4u);
        for (size_t i = 0; i < 40; ++i) EXPECT_EQ(pane[i * 1001], static_cast<char>('0' + i % 10)) << i;
        EXPECT_EQ(pane.substr(pane.size() - 4), "end\n");
    });
}

TEST(QtWindowClosing, WhileADownloadRunsTheRunServesTheWorkersAppendsUntilItEnds) {
    runner::LogCapture log;
    QtWindowSession session;
    std::atomic<bool> servedAfterClose{false}, lateAppendReturned{false};
    std::thread worker;
    session.run([&] {
        session.window().downloadBusy = true;  // as a download worker holds it
        session.dialog().close();
        // Handled only once the window's own loop has ended, by whatever serves the thread then.
        QTimer::singleShot(0, [&] {
            servedAfterClose = true;
            worker = std::thread([&] {
                session.window().appendLogPane("late report");
                lateAppendReturned = true;
                session.window().downloadBusy = false;
            });
        });
    });
    EXPECT_TRUE(servedAfterClose) << "the run ended while a download worker still ran";
    EXPECT_TRUE(lateAppendReturned);
    EXPECT_FALSE(session.window().downloadBusy);
    serveUntil([&] { return lateAppendReturned.load(); });  // a failure above must not hang the join
    if (worker.joinable()) worker.join();
    // Once the run has ended, appends from any thread return at once.
    std::thread late([&] { session.window().appendLogPane("after the end"); });
    late.join();
}

}  // namespace
}  // namespace tessorin::testing
