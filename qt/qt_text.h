#pragma once
// The core's UTF-8 text and Qt's strings meet here.
#include <QString>

#include <string>
#include <string_view>

namespace tessorin::qt {

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQString(const QString& text) { return text.toStdString(); }

}  // namespace tessorin::qt
