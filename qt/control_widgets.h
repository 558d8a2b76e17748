#pragma once
// The widget that stands for each kind of control, made and placed the way the
// dialog manager makes and places the Windows control.
#include <QWidget>

#include <string>

#include "app/dialog_template.h"

namespace tessorin::qt {

// A control of the template or one made at run time; it carries its id as the
// "controlId" property, as a Windows control carries its id.
QWidget* makeControlWidget(int id, ControlKind kind, const std::string& text, const ControlStyle& style,
                           QWidget& parent);

// A progress bar from 0 to 100 without a text of its own, as the Windows one.
QWidget* makeProgressBarWidget(int id, QWidget& parent);

// The style a control made at run time gets from its creation record.
ControlStyle styleOfCreated(const ControlCreation& creation);

// Moves and sizes a control; a drop-down combo takes the height as that of its open list.
void placeControl(QWidget& control, const PixelRect& rect);

// The control's id, or 0 for a widget that is none of the window's controls.
int controlIdOf(const QWidget& widget);

}  // namespace tessorin::qt
