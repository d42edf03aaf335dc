#pragma once

#include <QString>

class QWidget;

// Writes a diagram as it shows on the screen into a picture file, chosen by
// the name's suffix: ".svg" a scalable picture, ".pdf" a one-page document of
// the picture's size, anything else a PNG of its size in pixels. The picture
// holds the chart, with its title and axes, and the footer line where they
// stand in their window, on the window's background; nothing else of the
// window. False when the file could not be written.
bool saveDiagramImage(QWidget& chart, QWidget& footer, const QString& path);
