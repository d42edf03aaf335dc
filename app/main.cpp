#include "app/application.h"
#include "app/first_paint_probe.h"
#include "app/headless_commands.h"
#include "app/main_view_factory.h"
#include "app/main_window.h"
#include "app/terminal_message_box.h"
#include "controls/form_pictures.h"
#include "records/program_path.h"

#include <QApplication>
#include <QDBusConnection>
#include <QMessageBox>
#include <QThreadPool>

#include <iostream>

namespace {

int registerWithoutDisplay(int argc, char* argv[])
{
    QCoreApplication core(argc, argv);
    TerminalMessageBox terminal;
    setMessageBoxes(&terminal);
    Application app;
    app.startUp(core.arguments());
    setMessageBoxes(nullptr);
    return app.exitCode();
}

} // namespace

int main(int argc, char* argv[])
{
    const bool programPathFound = initProgramPath();
    if (const auto status = runHeadlessCommand(argc, argv, std::cout, std::cerr))
        return *status;
    if (isRegistrationWithoutDisplay(argc, argv))
        return registerWithoutDisplay(argc, argv);

    // The menus stay in the window, as the frame was designed; a desktop's
    // global menu bar would also be looked for on the session bus before
    // the window could show.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication qtApp(argc, argv);
    // The accessibility bridge needs the session bus while the window is
    // built; connecting to it (or even starting one) happens meanwhile on a
    // worker thread, off the path to the first paint.
    QThreadPool::globalInstance()->start([] { QDBusConnection::sessionBus(); });
    QApplication::setApplicationName(MainWindow::kAppTitle);
    // Every window and dialog without an icon of its own shows this one.
    QApplication::setWindowIcon(programIcon());
    if (!programPathFound)
        QMessageBox::warning(nullptr, MainWindow::kAppTitle, "InitProgramPath() failed");

    Application app(makeMainView);
    if (!app.startUp(qtApp.arguments()))
        return app.exitCode();
    if (qEnvironmentVariableIsSet(FirstPaintProbe::kEnvironmentSwitch))
        new FirstPaintProbe(app.mainWindow());
    const int result = qtApp.exec();
    app.shutDown();
    return result;
}
