#pragma once
// Qt strings in GoogleTest's failure messages, as text rather than bytes.
#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
