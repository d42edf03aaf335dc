#pragma once

#include <QProxyStyle>

// The application's style with the arrows of Qt's menu bar and tool bar
// extension buttons read as the PNG pictures they are. Qt's own style reads
// them guessing their format, which loads every image plug-in (GIF, JPEG,
// SVG, ...) while the main window is being made. Everything else, and every
// pixel, is the style the application would use anyway.
class ApplicationStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Wraps a new instance of the style the application uses now.
    ApplicationStyle();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
