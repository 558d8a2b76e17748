#include "qt/control_widgets.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "qt/drop_down_combo.h"
#include "qt/path_label.h"
#include "qt/qt_text.h"

namespace tessorin::qt {
namespace {

constexpr const char* kControlIdProperty = "controlId";

Qt::FocusPolicy focusOf(const ControlStyle& style) { return style.tabStop ? Qt::StrongFocus : Qt::ClickFocus; }

QWidget* pushButton(const std::string& text, const ControlStyle& style, QWidget& parent) {
    auto* button = new QPushButton(toQString(text), &parent);
    // Enter never presses a button of this window.
    button->setAutoDefault(false);
    button->setFocusPolicy(focusOf(style));
    return button;
}

QWidget* staticText(const std::string& text, const ControlStyle& style, QWidget& parent) {
    QLabel* label = style.pathEllipsis ? new PathLabel(&parent) : new QLabel(&parent);
    // Paths and INI titles are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(toQString(text));
    label->setAlignment((style.alignment == TextAlignment::Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(!style.pathEllipsis);
    if (style.sunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

// Multi-line, read-only, no wrapping (it scrolls both ways), both scroll bars, no undo.
QWidget* logPane(QWidget& parent) {
    auto* pane = new QPlainTextEdit(&parent);
    pane->setReadOnly(true);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setUndoRedoEnabled(false);
    return pane;
}

QWidget* comboBox(const ControlStyle& style, QWidget& parent) {
    // Until told otherwise, list items are as tall as a line of the window's font.
    auto* combo = new DropDownCombo(QFontMetrics(parent.font()).height(), &parent);
    combo->setFocusPolicy(focusOf(style));
    return combo;
}

// Created after the rows it frames, so above them: as on Windows, it lets their clicks through.
QWidget* groupBox(const std::string& title, QWidget& parent) {
    auto* group = new QGroupBox(toQString(title), &parent);
    group->setAttribute(Qt::WA_TransparentForMouseEvents);
    return group;
}

}  // namespace

QWidget* makeControlWidget(int id, ControlKind kind, const std::string& text, const ControlStyle& style,
                           QWidget& parent) {
    QWidget* widget = nullptr;
    switch (kind) {
        case ControlKind::PushButton: widget = pushButton(text, style, parent); break;
        case ControlKind::Static: widget = staticText(text, style, parent); break;
        case ControlKind::Edit:
            widget = style.readOnlyMultilinePane ? logPane(parent) : new QLineEdit(toQString(text), &parent);
            break;
        case ControlKind::ComboBox: widget = comboBox(style, parent); break;
        case ControlKind::GroupBox: widget = groupBox(text, parent); break;
    }
    widget->setProperty(kControlIdProperty, id);
    return widget;
}

ControlStyle styleOfCreated(const ControlCreation& creation) {
    ControlStyle style;
    switch (creation.kind) {
        case ControlKind::Static:
            style.alignment = creation.rightAligned ? TextAlignment::Right : TextAlignment::Left;
            break;
        case ControlKind::ComboBox:
            style.dropDown = true;
            style.tabStop = true;  // the configured row is reached with Tab like the fixed rows
            break;
        case ControlKind::Edit:
            style.border = true;
            style.autoHorizontalScroll = true;
            break;
        case ControlKind::PushButton: style.tabStop = true; break;
        case ControlKind::GroupBox: break;
    }
    return style;
}

void placeControl(QWidget& control, const PixelRect& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (auto* combo = dynamic_cast<DropDownCombo*>(&control)) combo->place(rect.left, rect.top, width, height);
    else control.setGeometry(rect.left, rect.top, width, height);
}

QWidget* makeProgressBarWidget(int id, QWidget& parent) {
    auto* bar = new QProgressBar(&parent);
    bar->setProperty(kControlIdProperty, id);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->show();
    return bar;
}

int controlIdOf(const QWidget& widget) {
    const QVariant id = widget.property(kControlIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

}  // namespace tessorin::qt
