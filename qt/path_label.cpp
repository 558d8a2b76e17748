#include "qt/path_label.h"

#include <QPainter>

namespace tessorin::qt {

void PathLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect();
    painter.drawText(area, static_cast<int>(alignment()), fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
}

}  // namespace tessorin::qt
