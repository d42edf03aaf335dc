#include "dialogs/up_down_buttons.h"

#include "dialogs/entry_logic/decimal_text.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace {

QToolButton* makeArrow(Qt::ArrowType arrow, const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRepeat(true);
    // Like the desktop's up-down control, the arrows never take the focus.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

UpDownButtons::UpDownButtons(QWidget* parent) : QWidget(parent)
{
    auto* up = makeArrow(Qt::UpArrow, "up", this);
    auto* down = makeArrow(Qt::DownArrow, "down", this);
    connect(up, &QToolButton::clicked, this, [this] { step(1); });
    connect(down, &QToolButton::clicked, this, [this] { step(-1); });
    m_up = up;
    m_down = down;
}

void UpDownButtons::setBuddy(QLineEdit* buddy)
{
    m_buddy = buddy;
    buddy->installEventFilter(this);
}

bool UpDownButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownButtons::step(int delta)
{
    if (!m_buddy)
        return;
    const int current = std::clamp(readDecimal(m_buddy->text().toStdString()), kLowest, kHighest);
    m_buddy->setText(QString::number(std::clamp(current + delta, kLowest, kHighest)));
}

void UpDownButtons::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}
