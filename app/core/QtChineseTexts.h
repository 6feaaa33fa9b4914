#pragma once

class QCoreApplication;

namespace channel {

// Qt's own texts (message-box buttons, file and print dialogs, the editor's
// context menu) come from Qt's Chinese translation whatever the system
// locale, so that every text the user sees is Chinese. Looks in Qt's
// translations folder, then in "translations" beside the program (where a
// deployed Windows build keeps it). Returns false when neither holds it; Qt
// then shows its built-in English.
bool InstallQtChineseTexts(QCoreApplication& application);

}  // namespace channel
