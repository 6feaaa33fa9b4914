#include <QApplication>
#include <QGuiApplication>

#include "app/core/ProgramState.h"
#include "app/core/QtChineseTexts.h"
#include "app/widgets/MainWindow.h"

using namespace channel;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("梯形渠道水利计算"));
    // The tray icon keeps no window of its own; the program ends with the
    // main window.
    QApplication::setQuitOnLastWindowClosed(true);
    InstallQtChineseTexts(application);

    ProgramState& state = InitGlobals();
    qAddPostRoutine(ReleaseGlobals);

    MainWindow window(state);
    window.show();
    return QApplication::exec();
}
