#include "qt/dialog_fonts.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QFontMetrics>

#include "qt/qt_text.h"

namespace tessorin::qt {
namespace {

constexpr int kDragHintCellHeight = 30;

// The face as this machine resolves it, then Noto for what that face cannot draw.
QFont withChineseFallback(QFont font) {
    font.setFamilies({QFontInfo(font).family(), QString::fromLatin1(kChineseFontFamily)});
    return font;
}

QFont sansSerif(const QString& face) {
    QFont font(face);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

QFont dialogFont(const DialogTemplate& dialog) {
    QFont font = sansSerif(toQString(dialog.fontFace));
    font.setPointSize(dialog.fontPointSize);
    return withChineseFallback(font);
}

QFont defaultControlFont() { return withChineseFallback(QGuiApplication::font()); }

// A positive Windows font height is the cell height (ascent plus descent), not
// the em size Qt sizes by: measure the face once and scale.
QFont dragHintFont() {
    QFont font = sansSerif(QStringLiteral("Arial"));
    font.setPixelSize(kDragHintCellHeight);
    QFontMetrics metrics(font);
    const int cell = metrics.ascent() + metrics.descent();
    if (cell > 0) font.setPixelSize((kDragHintCellHeight * kDragHintCellHeight + cell / 2) / cell);
    return withChineseFallback(font);
}

}  // namespace tessorin::qt
