#include <QApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTimer>

#include "app/core/ProgramState.h"
#include "app/core/QtChineseTexts.h"
#include "app/widgets/DeferredStyleIcons.h"
#include "app/widgets/MainWindow.h"
#include "io/FileSizeSignal.h"

using namespace channel;

int main(int argc, char* argv[]) {
    // Before anything can write a file: a size limit must not end the
    // program with the user's unsaved table.
    ReportFileSizeLimitAsWriteError();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("梯形渠道水利计算"));
    // The desktop entry's name, so a Wayland desktop matches the window to
    // its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.trapezoidchannel.TrapezoidChannel"));
    // The tray icon keeps no window of its own; the program ends with the
    // main window.
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::setStyle(new DeferredStyleIcons);
    InstallQtChineseTexts(application);

    ProgramState& state = InitGlobals();
    qAddPostRoutine(ReleaseGlobals);

    MainWindow window(state);
    window.show();
    // An element file named on the command line (a double click on one in
    // the file manager) opens once the window is up, so a refusal has a
    // window to stand on.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString& path = arguments.at(1);
        QTimer::singleShot(0, &window, [&window, path] { window.Doc().OpenFile(path); });
    }
    return QApplication::exec();
}
