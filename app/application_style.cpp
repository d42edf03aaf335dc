#include "app/application_style.h"

#include "controls/form_pictures.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// Qt's pictures of an extension arrow, one per size, as its common style names them.
QIcon extensionArrow(const char* direction, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (const int size : sizes)
        icon.addPixmap(pngPicture(QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-%1-%2.png")
                                      .arg(QLatin1String(direction))
                                      .arg(size)));
    return icon;
}

} // namespace

ApplicationStyle::ApplicationStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
}

QIcon ApplicationStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                     const QWidget* widget) const
{
    const bool rightToLeft = (option ? option->direction : QGuiApplication::layoutDirection()) == Qt::RightToLeft;
    switch (standardIcon) {
    case SP_ToolBarHorizontalExtensionButton:
        return rightToLeft ? extensionArrow("h-rtl", {8, 16, 32}) : extensionArrow("h", {8, 16, 32});
    case SP_ToolBarVerticalExtensionButton: return extensionArrow("v", {5, 10, 20});
    default: break;
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}
