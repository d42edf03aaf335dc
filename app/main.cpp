#include "app/application.h"
#include "app/application_style.h"
#include "app/first_paint_probe.h"
#include "app/headless_commands.h"
#include "app/main_view_factory.h"
#include "app/main_window.h"
#include "app/terminal_message_box.h"
#include "controls/form_pictures.h"
#include "platform/native_path.h"
#include "platform/session_bus.h"
#include "platform/xwayland_fallback.h"
#include "practice/main_form.h"
#include "records/program_path.h"

#include <QApplication>
#include <QDBusConnection>
#include <QImageReader>
#include <QMessageBox>
#include <QScopeGuard>
#include <QThreadPool>

#include <fontconfig/fontconfig.h>

#include <iostream>
#include <thread>

namespace {

int registerWithoutDisplay(int argc, char* argv[])
{
    QCoreApplication core(argc, argv);
    TerminalMessageBox terminal;
    setMessageBoxes(&terminal);
    Application app;
    app.startUp(argumentsFromNative(argc, argv));
    setMessageBoxes(nullptr);
    return app.exitCode();
}

} // namespace

int main(int argc, char* argv[])
{
    const bool programPathFound = initProgramPath();
    if (const auto status = runHeadlessCommand(argc, argv, std::cout, std::cerr))
        return *status;
    settleSessionBus();
    if (isRegistrationWithoutDisplay(argc, argv))
        return registerWithoutDisplay(argc, argv);

    // Reading the font configuration takes milliseconds of parsing; it
    // overlaps with connecting to the display, and the window finds it ready.
    std::thread fontConfiguration(FcInit);
    XWaylandFallback xwayland;
    // The menus stay in the window, as the frame was designed; a desktop's
    // global menu bar would also be looked for on the session bus before
    // the window could show.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication qtApp(argc, argv);
    // The helpers started below use the application's fonts and pictures, so
    // they end before it does, also when the program ends early.
    const auto helpersDone = qScopeGuard([] { QThreadPool::globalInstance()->waitForDone(); });
    xwayland.applicationMade();
    // The accessibility bridge needs the session bus while the window is
    // built; connecting to it (or even starting one) happens meanwhile on a
    // worker thread, off the path to the first paint.
    QThreadPool::globalInstance()->start([] { QDBusConnection::sessionBus(); });
    // Meanwhile, too: what the window's fonts need from the font configuration.
    QThreadPool::globalInstance()->start(prepareMainWindowFonts);
    // Meanwhile, too: the form's pictures are decoded, then Qt's image
    // plug-ins loaded (the style's frame of a group box asks every one of them
    // whether it reads it, at the first paint). Loading them holds up any
    // other reading of pictures, so it comes last.
    QThreadPool::globalInstance()->start([] {
        decodeFormPicturesAhead();
        QImageReader::supportedImageFormats();
    });
    // Without waiting for them while the menu bar and the tool bar are made.
    QApplication::setStyle(new ApplicationStyle);
    QApplication::setApplicationName(MainWindow::kAppTitle);
    // Every window and dialog without an icon of its own shows this one.
    QApplication::setWindowIcon(programIcon());
    fontConfiguration.join();
    if (!programPathFound)
        QMessageBox::warning(nullptr, MainWindow::kAppTitle, "InitProgramPath() failed");

    Application app(makeMainView);
    // Not Qt's arguments: a document's name that is no UTF-8 must reach the file system unchanged.
    if (!app.startUp(argumentsFromNative(argc, argv)))
        return app.exitCode();
    if (qEnvironmentVariableIsSet(FirstPaintProbe::kEnvironmentSwitch))
        new FirstPaintProbe(app.mainWindow());
    const int result = qtApp.exec();
    app.shutDown();
    return result;
}
