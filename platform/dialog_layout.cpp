#include "platform/dialog_layout.h"

#include "controls/shade_button.h"
#include "platform/time_picker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

// Rounded a * b / c, as the desktop's own conversion of dialog units does.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>((product + (product >= 0 ? c / 2 : -c / 2)) / c);
}

ShadeButton* makeShadeButton(const DialogControl& control, const QString& text, QWidget* parent)
{
    using Style = DialogControlStyle;
    const auto kind =
        control.kind == DialogControlKind::CheckBox ? ShadeButton::Kind::CheckBox : ShadeButton::Kind::PushButton;
    ShadeButton::Options options;
    options.setFlag(ShadeButton::Option::PushLike, control.style.testFlag(Style::PushLike));
    options.setFlag(ShadeButton::Option::Flat, control.style.testFlag(Style::Flat));
    options.setFlag(ShadeButton::Option::AlignLeft, control.style.testFlag(Style::TextLeft));
    options.setFlag(ShadeButton::Option::AlignRight, control.style.testFlag(Style::TextRight));
    auto* button = new ShadeButton(kind, text, parent, options);
    if (control.style.testFlag(Style::CheckMarks))
        button->setCheckMarkIcons();
    return button;
}

QAbstractButton* makeButton(const DialogControl& control, const QString& text, QWidget* parent)
{
    if (control.kind == DialogControlKind::CheckBox && !control.style.testFlag(DialogControlStyle::Shaded))
        return new QCheckBox(text, parent);
    QPushButton* button = control.style.testFlag(DialogControlStyle::Shaded) ? makeShadeButton(control, text, parent)
                                                                             : new QPushButton(text, parent);
    if (control.kind == DialogControlKind::PushButton)
        button->setDefault(control.style.testFlag(DialogControlStyle::DefaultButton));
    return button;
}

QWidget* makeStandardControl(const DialogControl& control, QWidget* parent)
{
    const QString text = QString::fromUtf8(control.text ? control.text : "");
    switch (control.kind) {
    case DialogControlKind::Label: {
        auto* label = new QLabel(text, parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case DialogControlKind::SunkenLabel: {
        auto* label = new QLabel(text, parent);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    }
    case DialogControlKind::GroupBox: return new QGroupBox(text, parent);
    case DialogControlKind::PushButton:
    case DialogControlKind::CheckBox: return makeButton(control, text, parent);
    case DialogControlKind::ComboBox: return new QComboBox(parent);
    case DialogControlKind::TimePicker: return new TimePicker(parent);
    case DialogControlKind::Custom: break;
    }
    return nullptr;
}

} // namespace

QFont templateFont()
{
    // A family that is only an alias ("Arial" for Liberation Sans) would be
    // looked up in the font configuration again for every size and style made
    // from the font; the first one installed serves them all.
    static const QStringList families = [] {
        const QStringList wanted{QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                                 QStringLiteral("Liberation Sans")};
        const QStringList installed = QFontDatabase::families();
        for (const QString& family : wanted) {
            if (installed.contains(family, Qt::CaseInsensitive))
                return QStringList{family};
        }
        return wanted;
    }();
    QFont font;
    font.setFamilies(families);
    font.setPointSize(8);
    return font;
}

DialogBaseUnits DialogBaseUnits::fromFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average width of the Latin letters, rounded as the desktop does it.
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}

int DialogBaseUnits::toPixelsX(int units) const
{
    return mulDiv(units, avgCharWidth, 4);
}

int DialogBaseUnits::toPixelsY(int units) const
{
    return mulDiv(units, height, 8);
}

QRect DialogBaseUnits::toPixels(int x, int y, int w, int h) const
{
    return QRect(toPixelsX(x), toPixelsY(y), toPixelsX(w), toPixelsY(h));
}

QMap<int, QWidget*> buildDialogControls(QWidget* parent, const QFont& font, std::span<const DialogControl> controls,
                                        const CustomControlFactory& makeCustom)
{
    const DialogBaseUnits units = DialogBaseUnits::fromFont(font);
    QMap<int, QWidget*> byId;
    for (const DialogControl& control : controls) {
        QWidget* widget = control.kind == DialogControlKind::Custom
                              ? (makeCustom ? makeCustom(control, parent) : nullptr)
                              : makeStandardControl(control, parent);
        if (!widget)
            continue;
        if (control.kind != DialogControlKind::Custom)
            widget->setFont(font);
        widget->setObjectName(QString::number(control.id));
        QRect rect = units.toPixels(control.x, control.y, control.w, control.h);
        // A drop-down list's template height is that of its open list; the
        // closed box keeps its natural height.
        if (control.kind == DialogControlKind::ComboBox)
            rect.setHeight(widget->sizeHint().height());
        // One line high: no wrapping, and a text a little wider in this font
        // than in the template's font is shown whole rather than cut.
        auto* label = qobject_cast<QLabel*>(widget);
        if (label && control.kind != DialogControlKind::Custom && rect.height() < 2 * label->fontMetrics().height()) {
            label->setWordWrap(false);
            rect.setWidth(std::max(rect.width(), label->sizeHint().width()));
        }
        // So, too, a shaded push button's text: the button grows evenly to both sides.
        auto* shaded = qobject_cast<ShadeButton*>(widget);
        if (shaded && shaded->kind() == ShadeButton::Kind::PushButton) {
            const int textWidth = shaded->fontMetrics().size(Qt::TextShowMnemonic, shaded->text()).width();
            const int missing = textWidth + 2 * (shaded->focusOffset() + 2) - rect.width();
            if (missing > 0)
                rect.adjust(-(missing + 1) / 2, 0, missing / 2, 0);
        }
        // A plain check box's text too, which runs on to the right.
        if (auto* box = qobject_cast<QCheckBox*>(widget))
            rect.setWidth(std::max(rect.width(), box->sizeHint().width()));
        widget->setGeometry(rect);
        if (control.id != -1)
            byId.insert(control.id, widget);
    }
    return byId;
}
