#include "qt/template_layout.h"

#include "qt/control_widgets.h"
#include "qt/dialog_fonts.h"
#include "qt/qt_text.h"

namespace tessorin::qt {

DialogBaseUnits baseUnitsOf(const QWidget& dialog) { return dialogBaseUnits(dialog.font()); }

ControlWidgets layOutTemplate(QWidget& dialog, const DialogTemplate& dialogTemplate) {
    dialog.setWindowTitle(toQString(dialogTemplate.caption));
    dialog.setFont(dialogFont(dialogTemplate));
    const DialogBaseUnits base = baseUnitsOf(dialog);
    const PixelRect client = dialogUnitsToPixels({0, 0, dialogTemplate.width, dialogTemplate.height}, base);
    dialog.setFixedSize(client.right, client.bottom);
    ControlWidgets made;
    for (const TemplateControl& control : dialogTemplate.controls) {
        QWidget* widget = makeControlWidget(control.id, control.kind, control.text, control.style, dialog);
        placeControl(*widget, dialogUnitsToPixels(control.rect, base));
        // Shown with the window unless the template leaves it hidden.
        if (!control.visible) widget->hide();
        made.emplace_back(control.id, widget);
    }
    return made;
}

}  // namespace tessorin::qt
