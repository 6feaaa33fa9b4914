#pragma once

#include <QString>

namespace channel {

// The folder an installed program keeps its companion files in:
// <program folder>/../share/trapezoid-channel. Empty before the application
// object exists.
QString InstalledDataFolder();

// The file a companion's bare name ("normal", "说明.txt", "circle_f1.ico")
// means: the one in the working folder when it is there, otherwise the one in
// `dataFolder` when it is there, otherwise the bare name, a file missing from
// the working folder.
QString CompanionFile(const QString& bareName, const QString& dataFolder = InstalledDataFolder());

}  // namespace channel
