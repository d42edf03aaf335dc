#include "dialogs/dialog_frame.h"

#include "platform/dialog_layout.h"

#include <QDialog>
#include <QLineEdit>

void setUpDialogFrame(QDialog& dialog, const char* caption, int widthUnits, int heightUnits)
{
    const QFont font = templateFont();
    dialog.setFont(font);
    dialog.setWindowTitle(QString::fromUtf8(caption));
    const DialogBaseUnits units = DialogBaseUnits::fromFont(font);
    dialog.setFixedSize(units.toPixelsX(widthUnits), units.toPixelsY(heightUnits));
}

QLineEdit* makeEdit(const DialogControl&, QWidget* parent)
{
    return new QLineEdit(parent);
}
