#pragma once
// What the dialog manager does with a template: the window's caption, font and
// fixed client size, and every control in template order at its place.
#include <QWidget>

#include <utility>
#include <vector>

#include "app/dialog_template.h"
#include "qt/dialog_units.h"

namespace tessorin::qt {

using ControlWidgets = std::vector<std::pair<int, QWidget*>>;  // id and widget, in template order

ControlWidgets layOutTemplate(QWidget& dialog, const DialogTemplate& dialogTemplate);

// The base units the dialog's font gives (valid once the template is laid out).
DialogBaseUnits baseUnitsOf(const QWidget& dialog);

}  // namespace tessorin::qt
