#include "controls/form_pictures.h"

#include <QDirIterator>
#include <QHash>
#include <QImageReader>
#include <QMutex>
#include <QPixmapCache>

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

namespace {

QImage readPng(const QString& path)
{
    // Named, the format needs no guessing, and guessing loads every image
    // plug-in of Qt (GIF, JPEG, SVG, ...) to ask each whether it reads the file.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

struct PicturesDecodedAhead {
    QMutex mutex;
    QHash<QString, QImage> images;
};

PicturesDecodedAhead& picturesDecodedAhead()
{
    static PicturesDecodedAhead pictures;
    return pictures;
}

} // namespace

void decodeFormPicturesAhead()
{
    makeFormPicturesAvailable();
    for (QDirIterator files(QStringLiteral(":/bitmaps")); files.hasNext();) {
        const QString path = files.next();
        QImage image = readPng(path);
        PicturesDecodedAhead& ahead = picturesDecodedAhead();
        const QMutexLocker lock(&ahead.mutex);
        ahead.images.insert(path, std::move(image));
    }
}

QPixmap pngPicture(const QString& resourcePath)
{
    QPixmap picture;
    if (QPixmapCache::find(resourcePath, &picture))
        return picture;
    QImage image;
    {
        PicturesDecodedAhead& ahead = picturesDecodedAhead();
        const QMutexLocker lock(&ahead.mutex);
        image = ahead.images.take(resourcePath);
    }
    if (image.isNull())
        image = readPng(resourcePath);
    picture = QPixmap::fromImage(std::move(image));
    QPixmapCache::insert(resourcePath, picture);
    return picture;
}

QPixmap formPicture(int number)
{
    makeFormPicturesAvailable();
    return pngPicture(QStringLiteral(":/bitmaps/%1.png").arg(number));
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
        icon.addPixmap(pngPicture(QStringLiteral(":/icons/%1_%2.png").arg(kProgramIconResource).arg(size)));
    return icon;
}
