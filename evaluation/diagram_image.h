#pragma once

#include <QString>

class QWidget;

// Writes the widget as it shows on the screen into a picture file, chosen by
// the name's suffix: ".svg" a scalable picture, ".pdf" a one-page document of
// the widget's size, anything else a PNG of the widget's size in pixels.
// False when the file could not be written.
bool saveWidgetImage(QWidget& widget, const QString& path);
