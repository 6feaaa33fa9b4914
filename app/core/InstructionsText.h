#pragma once

#include <QString>

// The whole instructions file as one text. The file is read as UTF-8 when it
// is valid UTF-8 and as GBK otherwise; a missing or unreadable file gives "".
QString LoadInstructionsText(const QString& path);
