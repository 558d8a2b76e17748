#pragma once
// The fonts the window draws with. Windows fonts a Linux machine lacks are
// stood in for by its own sans-serif face; Chinese is always drawn from Noto
// Sans CJK SC (Debian fonts-noto-cjk), so Han characters get their Simplified
// Chinese forms whatever font the system would pick first.
#include <QFont>

#include "app/dialog_template.h"

namespace tessorin::qt {

inline constexpr const char* kChineseFontFamily = "Noto Sans CJK SC";

// The template's font at its point size.
QFont dialogFont(const DialogTemplate& dialog);

// The platform's default control font, for controls made at run time.
QFont defaultControlFont();

// Arial of cell height 30 pixels, normal weight, as the drag hint asks for.
QFont dragHintFont();

}  // namespace tessorin::qt
