#include "qt/dialog_units.h"

#include <QFontMetrics>

namespace tessorin::qt {
namespace {

// MulDiv rounds half away from zero; template coordinates are never negative.
int mulDiv(int value, int numerator, int denominator) {
    return (value * numerator + denominator / 2) / denominator;
}

}  // namespace

DialogBaseUnits dialogBaseUnits(const QFont& font) {
    QFontMetrics metrics(font);
    const int alphabetWidth = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(alphabetWidth / 26 + 1) / 2, metrics.ascent() + metrics.descent()};
}

PixelRect dialogUnitsToPixels(const DialogUnitRect& rect, DialogBaseUnits base) {
    const int left = mulDiv(rect.x, base.x, 4);
    const int top = mulDiv(rect.y, base.y, 8);
    return {left, top, left + mulDiv(rect.width, base.x, 4), top + mulDiv(rect.height, base.y, 8)};
}

}  // namespace tessorin::qt
