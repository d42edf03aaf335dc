// Saves pictures of a volume slider at rest, while dragged, with the focus
// rectangle and disabled, each enlarged four times: slider_preview FOLDER.
#include "controls/bitmap_slider.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>

namespace {

void save(BitmapSlider& slider, const QDir& folder, const QString& name)
{
    const QImage picture = slider.grab().toImage();
    picture.scaled(picture.size() * 4).save(folder.filePath(name + QStringLiteral(".png")));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QWidget form;
    BitmapSlider slider(1061, &form);
    slider.setUpAsVolumeSlider();
    form.show();

    save(slider, folder, QStringLiteral("slider_rest"));
    const QPointF point(160, 8);
    QMouseEvent press(QEvent::MouseButtonPress, point, slider.mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&slider, &press);
    save(slider, folder, QStringLiteral("slider_dragging"));
    QMouseEvent release(QEvent::MouseButtonRelease, point, slider.mapToGlobal(point), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&slider, &release);
    slider.setFocusRectDrawn(true);
    save(slider, folder, QStringLiteral("slider_focus"));
    slider.setEnabled(false);
    save(slider, folder, QStringLiteral("slider_disabled"));
    return 0;
}
