#include "qt/pane_text.h"

#include "qt/qt_text.h"

namespace tessorin::qt {

QString paneDisplayText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            shown += '\n';
            ++i;
        } else if (text[i] != '\r' && text[i] != '\n') {
            shown += text[i];
        }
    }
    return toQString(shown);
}

}  // namespace tessorin::qt
