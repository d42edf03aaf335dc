#include "controls/form_pictures.h"

// Q_INIT_RESOURCE must be used outside any namespace; a static library's
// resources are not registered unless something refers to them.
static void makeFormPicturesAvailable()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(controls);
        return true;
    }();
    Q_UNUSED(registered);
}

QPixmap formPicture(int number)
{
    makeFormPicturesAvailable();
    return QPixmap(QStringLiteral(":/bitmaps/%1.png").arg(number));
}

QCursor measuringCursor()
{
    return QCursor(formPicture(kMeasuringCursorResource), kMeasuringCursorHotSpot.x(), kMeasuringCursorHotSpot.y());
}

QPixmap listBackground()
{
    return formPicture(kListBackgroundResource);
}

QIcon programIcon()
{
    makeFormPicturesAvailable();
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/%1_%2.png").arg(kProgramIconResource).arg(size), QSize(size, size));
    return icon;
}
