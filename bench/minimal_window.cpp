// The reference of the start-up benchmark: the least a Qt Widgets program
// does to show a window, watched by the same probe as the program: it prints
// "first-paint rss-kb=<resident memory>" once its window was painted, then ends.
#include "app/first_paint_probe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Jhavari-Training")));
    window.resize(640, 480);
    window.show();
    new FirstPaintProbe(&window);
    return application.exec();
}
