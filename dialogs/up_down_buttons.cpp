#include "up_down_buttons.h"

#include "decimal_text.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, const char* name, QWidget* parent)
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

CUpDownButtons::CUpDownButtons(QWidget* parent) : QWidget(parent)
{
    auto* up = MakeArrow(Qt::UpArrow, "up", this);
    auto* down = MakeArrow(Qt::DownArrow, "down", this);
    connect(up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
    m_pUp = up;
    m_pDown = down;
}

void CUpDownButtons::SetBuddy(QLineEdit* buddy)
{
    m_pBuddy = buddy;
    buddy->installEventFilter(this);
}

bool CUpDownButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pBuddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CUpDownButtons::Step(int delta)
{
    if (!m_pBuddy)
        return;
    const int current = std::clamp(ReadDecimal(m_pBuddy->text().toStdString()), kLowest, kHighest);
    m_pBuddy->setText(QString::number(std::clamp(current + delta, kLowest, kHighest)));
}

void CUpDownButtons::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    m_pUp->setGeometry(0, 0, width(), half);
    m_pDown->setGeometry(0, half, width(), height() - half);
}
