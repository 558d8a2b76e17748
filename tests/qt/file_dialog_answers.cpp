#include "tests/qt/file_dialog_answers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "qt/qt_text.h"

namespace tessorin::testing {

FileDialogAnswers::FileDialogAnswers() {
    QObject::connect(&poll_, &QTimer::timeout, [this] { answerOpenDialog(); });
    poll_.start(10);
}

void FileDialogAnswers::answerOpenDialog() {
    // The file dialog's own complaint (no such file) would wait for ever.
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        ADD_FAILURE() << "the file dialog said: " << qt::fromQString(box->text());
        box->reject();
        return;
    }
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    OpenDialogSeen seen;
    seen.folder = qt::fromQString(dialog->directory().absolutePath());
    if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < types->count(); ++i) seen.filterNames << types->itemText(i);
    seen.existingFileOnly = dialog->fileMode() == QFileDialog::ExistingFile;
    seen_.push_back(seen);

    std::optional<std::string> answer;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (answer && name) {
        name->setText(qt::toQString(*answer));
        QTest::keyClick(name, Qt::Key_Return);
    } else if (buttons && buttons->button(QDialogButtonBox::Cancel)) {
        QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    } else {
        dialog->reject();
    }
}

}  // namespace tessorin::testing
