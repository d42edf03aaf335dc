#include "first_paint_probe.h"
#include "headless_commands.h"
#include "main_frame.h"
#include "main_view_factory.h"
#include "program_path.h"
#include "terminal_message_box.h"
#include "versenkwerk_app.h"

#include <QApplication>
#include <QMessageBox>

#include <iostream>

namespace {

int RegisterWithoutDisplay(int argc, char* argv[])
{
    QCoreApplication core(argc, argv);
    CTerminalMessageBox terminal;
    SetMessageBoxes(&terminal);
    CVersenkwerkApp app;
    app.InitInstance(core.arguments());
    SetMessageBoxes(nullptr);
    return app.GetExitCode();
}

} // namespace

int main(int argc, char* argv[])
{
    const bool programPathFound = InitProgramPath();
    if (const auto status = RunHeadlessCommand(argc, argv, std::cout, std::cerr))
        return *status;
    if (IsRegistrationWithoutDisplay(argc, argv))
        return RegisterWithoutDisplay(argc, argv);

    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(CMainFrame::kAppTitle);
    if (!programPathFound)
        QMessageBox::warning(nullptr, CMainFrame::kAppTitle, "InitProgramPath() failed");

    CVersenkwerkApp app(MakeMainView);
    if (!app.InitInstance(qtApp.arguments()))
        return app.GetExitCode();
    if (qEnvironmentVariableIsSet(CFirstPaintProbe::kEnvironmentSwitch))
        new CFirstPaintProbe(app.GetMainFrame());
    const int result = qtApp.exec();
    app.ExitInstance();
    return result;
}
