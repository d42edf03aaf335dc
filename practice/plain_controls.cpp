#include "practice/plain_controls.h"

#include "platform/dialog_layout.h"
#include "practice/span_format.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

PlainClock::PlainClock(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    QFont big = font();
    big.setPixelSize(28);
    big.setBold(true);
    setFont(big);
    refresh();
}

void PlainClock::setTime(TimeSpan span)
{
    m_span = span;
    refresh();
}

void PlainClock::setRunning(bool running)
{
    m_running = running;
    refresh();
}

void PlainClock::setLit(bool lit)
{
    m_lit = lit;
    refresh();
}

void PlainClock::refresh()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, m_lit ? (m_running ? QColor(255, 64, 64) : QColor(64, 255, 64))
                                                  : QColor(40, 40, 40));
    setPalette(colours);
    setText(QString::fromStdString(formatSpan(m_span)));
}

PlainProgress::PlainProgress(QWidget* parent) : QProgressBar(parent)
{
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

void PlainProgress::setPos(int pos)
{
    const int clamped = std::clamp(pos, 0, 100);
    if (clamped != value())
        setValue(clamped);
}

PlainBanner::PlainBanner(QWidget* parent) : QWidget(parent) {}

void PlainBanner::setBkColor(const QColor& left, const QColor& right)
{
    m_left = left;
    m_right = right;
    update();
}

void PlainBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, m_left);
    gradient.setColorAt(1, m_right);
    painter.fillRect(rect(), gradient);
}

PlainBannerLabel::PlainBannerLabel(QWidget* parent) : QLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont banner = templateFont();
    // The banner font is 24 pixels high from the top of its accents to the
    // bottom of its descenders, not 24 pixels per em.
    banner.setPixelSize(24);
    banner.setPixelSize(24 * 24 / QFontMetrics(banner).height());
    banner.setWeight(QFont::Black);
    banner.setItalic(true);
    setFont(banner);
}

void PlainBannerLabel::setTextColor(const QColor& color)
{
    m_textColor = color;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
}

void PlainBannerLabel::setWindowText(const QString& text)
{
    setText(text);
}
