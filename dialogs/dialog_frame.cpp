#include "dialog_frame.h"

#include "dialog_layout.h"

#include <QDialog>
#include <QLineEdit>

QFont DialogFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    return font;
}

void SetUpDialogFrame(QDialog& dialog, const char* caption, int widthUnits, int heightUnits)
{
    const QFont font = DialogFont();
    dialog.setFont(font);
    dialog.setWindowTitle(QString::fromUtf8(caption));
    const DialogBaseUnits units = DialogBaseUnits::FromFont(font);
    dialog.setFixedSize(units.ToPixelsX(widthUnits), units.ToPixelsY(heightUnits));
}

QLineEdit* MakeEdit(const DialogControl&, QWidget* parent)
{
    return new QLineEdit(parent);
}
