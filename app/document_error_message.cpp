#include "app/document_error_message.h"

#include "platform/message_box.h"
#include "records/document_error.h"

void showDocumentError(QWidget* parent, const DocumentError& error)
{
    if (!error.preludeMessage().empty())
        messageBoxes().showMessage(parent, QString::fromStdString(error.preludeMessage()));
    messageBoxes().showMessage(parent, QString::fromStdString(error.message()));
}
