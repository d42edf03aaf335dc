#include "app/about_dialog.h"

#include "app/build_stamp.h"
#include "controls/hyperlink.h"
#include "controls/shade_button.h"
#include "platform/message_box.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
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

    auto* link = new Hyperlink(QString::fromUtf8(kWebAddress), {}, this);
    link->setObjectName(QString::number(kHyperLinkId));
    link->setUnderline(Hyperlink::Underline::Always);
    link->setMessageFunction([](QWidget* owner, const QString& text) { messageBoxes().showMessage(owner, text); });

    auto* ok = new ShadeButton(ShadeButton::Kind::PushButton, QStringLiteral("OK"), this);
    ok->setObjectName(QString::number(kOkId));
    ok->setDefault(true);
    // The link comes first for Tab, yet Enter must close the box: OK holds the focus at first.
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(makeLabel(aboutVersionLine(__DATE__, __TIME__), kVersionLineId, this));
    text->addWidget(link, 0, Qt::AlignLeft);
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
