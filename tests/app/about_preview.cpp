// Shows the about box with the pointer over its link and saves a picture of it
// for a person to look at: about_preview OUTPUT_FOLDER (run under Xvfb).
#include "app/about_dialog.h"
#include "controls/form_pictures.h"
#include "controls/hyperlink.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setWindowIcon(programIcon());
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    AboutDialog dialog;
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return 1;
    dialog.grab().save(folder.filePath(QStringLiteral("about.png")));

    auto* link = dialog.findChild<Hyperlink*>(QStringLiteral("1053"));
    const QPoint inside(link->width() / 2, link->height() / 2);
    QCursor::setPos(link->mapToGlobal(inside));
    QTest::mouseMove(link, inside);
    QTest::qWait(300);
    dialog.grab().save(folder.filePath(QStringLiteral("about_hovered.png")));
    std::printf("hovered: %d, dialog icon sizes: %lld\n", link->isHovered(),
                static_cast<long long>(dialog.windowIcon().availableSizes().size()));
    return link->isHovered() ? 0 : 1;
}
