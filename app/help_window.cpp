#include "app/help_window.h"

#include <QTextBrowser>
#include <QVBoxLayout>

// The page is compiled into the static app library; nothing would pull it
// into the program without this (it must stand outside any namespace).
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_browser(new QTextBrowser(this))
{
    initHelpResources();
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("Jhavari-Training Help"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl(QString::fromLatin1(kPage)));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    resize(620, 640);
}
