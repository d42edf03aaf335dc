#include "headless_commands.h"
#include "program_path.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

#include <iostream>

int main(int argc, char* argv[])
{
    const bool programPathFound = InitProgramPath();
    if (const auto status = RunHeadlessCommand(argc, argv, std::cout, std::cerr))
        return *status;

    QApplication app(argc, argv);
    if (!programPathFound)
        QMessageBox::warning(nullptr, "Jhavari-Training", "InitProgramPath() failed");
    QMainWindow frame;
    frame.setWindowTitle("Unbenannt - Jhavari-Training");
    frame.resize(800, 600);
    frame.show();
    return app.exec();
}
