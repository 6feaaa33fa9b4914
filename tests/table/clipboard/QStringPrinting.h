#pragma once

#include <QString>
#include <ostream>

// Readable failure messages for QString values and their lists.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
