#include "app/about_dialog.h"

#include "app/build_stamp.h"
#include "controls/shade_button.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kVersionLineId = 1057;
constexpr int kHyperLinkId = 1053;
constexpr int kOkId = 1;
constexpr int kWidthDlu = 216;
constexpr int kHeightDlu = 87;

QLabel* makeLabel(const QString& text, int id, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    if (id != 0)
        label->setObjectName(QString::number(id));
    return label;
}

void openWebAddress(const QString& address)
{
    if (!QDesktopServices::openUrl(QUrl(address)))
        QProcess::startDetached(QStringLiteral("xdg-open"), {address});
}

} // namespace

QString aboutVersionLine(const char* buildDate, const char* buildTime)
{
    return QStringLiteral("Version ") + AboutDialog::kVersion + QStringLiteral("   Built ") +
           QString::fromStdString(makeBuildStamp(buildDate, buildTime));
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("100"));
    setWindowTitle(QStringLiteral("Info about Jhavari-Training"));

    auto* link = makeLabel(QStringLiteral("<a href=\"%1\" style=\"text-decoration: underline\">%1</a>")
                               .arg(QString::fromUtf8(kWebAddress)),
                           kHyperLinkId, this);
    link->setTextFormat(Qt::RichText);
    link->setCursor(Qt::PointingHandCursor);
    connect(link, &QLabel::linkActivated, this, &openWebAddress);

    auto* ok = new ShadeButton(ShadeButton::Kind::PushButton, QStringLiteral("OK"), this);
    ok->setObjectName(QString::number(kOkId));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(makeLabel(aboutVersionLine(__DATE__, __TIME__), kVersionLineId, this));
    text->addWidget(link);
    text->addWidget(makeLabel(QStringLiteral("Concentration training for meditation."), 0, this));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(text, 1);
    layout->addLayout(buttons);

    // The size of the dialog template, in dialog units of the dialog's font.
    const QFontMetrics metrics(font());
    resize(qMax(sizeHint().width(), kWidthDlu * metrics.averageCharWidth() / 4),
           qMax(sizeHint().height(), kHeightDlu * metrics.height() / 8));
}
