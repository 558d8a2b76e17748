// The window right after start: template 102's controls with their ids,
// widgets, texts, places and visibility; the window's size, fonts, icon, caption
// and drop acceptance.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/control_ids.h"
#include "app/window_progress.h"
#include "qt/control_widgets.h"
#include "qt/dialog_fonts.h"
#include "qt/dialog_units.h"
#include "qt/drop_down_combo.h"
#include "qt/qt_text.h"
#include "tests/app/template_texts.h"
#include "tests/qt/qt_printers.h"
#include "tests/qt/qt_window_session.h"
#include "runner/log_capture.h"

namespace tessorin::testing {
namespace {

std::string describe(const TemplateControl& c) { return "control " + std::to_string(c.id) + " \"" + c.text + "\""; }

// The text the widget shows, after checking it is the widget of the control's kind.
std::string shownText(QWidget* widget, const TemplateControl& c) {
    switch (c.kind) {
        case ControlKind::PushButton:
            if (auto* button = qobject_cast<QPushButton*>(widget)) return qt::fromQString(button->text());
            break;
        case ControlKind::Static:
            if (auto* label = qobject_cast<QLabel*>(widget)) return qt::fromQString(label->text());
            break;
        case ControlKind::GroupBox:
            if (auto* group = qobject_cast<QGroupBox*>(widget)) return qt::fromQString(group->title());
            break;
        case ControlKind::ComboBox:
            if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable())
                return qt::fromQString(combo->currentText());
            break;
        case ControlKind::Edit:
            if (c.style.readOnlyMultilinePane) {
                auto* pane = qobject_cast<QPlainTextEdit*>(widget);
                if (pane && pane->isReadOnly() && pane->lineWrapMode() == QPlainTextEdit::NoWrap)
                    return qt::fromQString(pane->toPlainText());
            } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                return qt::fromQString(edit->text());
            }
            break;
    }
    ADD_FAILURE() << describe(c) << " is a " << widget->metaObject()->className();
    return {};
}

std::vector<QWidget*> controlsInOrder(QWidget& dialog) {
    std::vector<QWidget*> controls;
    for (QObject* child : dialog.children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget && qt::controlIdOf(*widget) != 0) controls.push_back(widget);
    return controls;
}

TEST(QtWindowLayout, ShowsEveryTemplateControlWithItsTextAndPlace) {
    runner::LogCapture log;
    QtWindowSession session;
    session.run([&] {
        QWidget& dialog = session.dialog();
        EXPECT_TRUE(dialog.isVisible());
        const qt::DialogBaseUnits base = qt::dialogBaseUnits(dialog.font());
        const std::vector<QWidget*> widgets = controlsInOrder(dialog);
        const std::vector<TemplateControl>& controls = mainDialogTemplate().controls;
        // The template's controls, then the one the window adds beside them.
        ASSERT_EQ(widgets.size(), controls.size() + 1) << "the window has other controls than the template's and the bar";
        EXPECT_EQ(qt::controlIdOf(*widgets.back()), kDownloadProgressId);
        const PixelRect bar = qt::dialogUnitsToPixels(kDownloadProgressRect, base);
        EXPECT_EQ(widgets.back()->geometry(), QRect(bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top));
        bool unnamedSeen = false;
        for (size_t i = 0; i < controls.size(); ++i) {
            const TemplateControl& c = controls[i];
            QWidget* widget = widgets[i];
            const std::string where = describe(c);
            EXPECT_EQ(qt::controlIdOf(*widget), c.id) << where;
            EXPECT_EQ(widget->isVisible(), c.visible) << where;
            EXPECT_EQ(shownText(widget, c), textAfterStart(c, *session.window().messages, !unnamedSeen)) << where;
            unnamedSeen = unnamedSeen || c.id == kUnnamedControlId;
            const PixelRect expected = qt::dialogUnitsToPixels(c.rect, base);
            const QRect actual = widget->geometry();
            EXPECT_EQ(actual.left(), expected.left) << where;
            EXPECT_EQ(actual.top(), expected.top) << where;
            EXPECT_EQ(actual.width(), expected.right - expected.left) << where;
            // A combo's template height is that of its open list, not of the field.
            if (auto* combo = dynamic_cast<qt::DropDownCombo*>(widget)) {
                EXPECT_EQ(combo->openListHeight(), expected.bottom - expected.top) << where;
                EXPECT_LT(actual.height(), combo->openListHeight()) << where;
            } else {
                EXPECT_EQ(actual.height(), expected.bottom - expected.top) << where;
            }
        }
        const PixelRect client = qt::dialogUnitsToPixels({0, 0, 553, 347}, base);
        EXPECT_EQ(dialog.size(), QSize(client.right, client.bottom));
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the window has a fixed size";
    });
}

TEST(QtWindowLayout, FontsCaptionIconAndDrops) {
    runner::LogCapture log;
    QtWindowSession session;
    session.run([&] {
        QWidget& dialog = session.dialog();
        EXPECT_EQ(qt::fromQString(dialog.windowTitle()), "Tessorin V2.4.6");
        EXPECT_EQ(dialog.font().pointSize(), 9);
        EXPECT_TRUE(dialog.font().families().contains(qt::kChineseFontFamily)) << "Chinese is drawn from Noto";
        EXPECT_EQ(QFontInfo(QFont(qt::kChineseFontFamily)).family(), qt::kChineseFontFamily)
            << "the font is missing (Debian: fonts-noto-cjk)";

        const QFont hint = session.item(kDragHintLabelId)->font();
        QFontMetrics hintMetrics(hint);
        EXPECT_NEAR(hintMetrics.ascent() + hintMetrics.descent(), 30, 1) << "cell height 30 pixels";
        EXPECT_EQ(hint.weight(), QFont::Normal);
        EXPECT_FALSE(hint.italic() || hint.underline() || hint.strikeOut());

        EXPECT_FALSE(dialog.windowIcon().isNull());
        EXPECT_FALSE(dialog.windowIcon().availableSizes().isEmpty()) << "the icon resource was not found";
        EXPECT_TRUE(dialog.acceptDrops());
        const Qt::WindowFlags flags = dialog.windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    });
}

}  // namespace
}  // namespace tessorin::testing
