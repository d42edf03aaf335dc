#include "plain_controls.h"

#include "dialog_layout.h"
#include "span_format.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

CPlainClock::CPlainClock(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    QFont big = font();
    big.setPixelSize(28);
    big.setBold(true);
    setFont(big);
    Refresh();
}

void CPlainClock::SetTime(TimeSpan span)
{
    m_span = span;
    Refresh();
}

void CPlainClock::SetRunning(bool running)
{
    m_bRunning = running;
    Refresh();
}

void CPlainClock::SetLit(bool lit)
{
    m_bLit = lit;
    Refresh();
}

void CPlainClock::Refresh()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, m_bLit ? (m_bRunning ? QColor(255, 64, 64) : QColor(64, 255, 64))
                                                  : QColor(40, 40, 40));
    setPalette(colours);
    setText(QString::fromStdString(FormatSpan(m_span)));
}

CPlainProgress::CPlainProgress(QWidget* parent) : QProgressBar(parent)
{
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

void CPlainProgress::SetPos(int pos)
{
    const int clamped = std::clamp(pos, 0, 100);
    if (clamped != value())
        setValue(clamped);
}

CPlainBanner::CPlainBanner(QWidget* parent) : QWidget(parent) {}

void CPlainBanner::SetBkColor(const QColor& left, const QColor& right)
{
    m_left = left;
    m_right = right;
    update();
}

void CPlainBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, m_left);
    gradient.setColorAt(1, m_right);
    painter.fillRect(rect(), gradient);
}

CPlainBannerLabel::CPlainBannerLabel(QWidget* parent) : QLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont banner = TemplateFont(QStringLiteral("MS Sans Serif"), 8);
    // The banner font is 24 pixels high from the top of its accents to the
    // bottom of its descenders, not 24 pixels per em.
    banner.setPixelSize(24);
    banner.setPixelSize(24 * 24 / QFontMetrics(banner).height());
    banner.setWeight(QFont::Black);
    banner.setItalic(true);
    setFont(banner);
}

void CPlainBannerLabel::SetTextColor(const QColor& color)
{
    m_textColor = color;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
}

void CPlainBannerLabel::SetWindowText(const QString& text)
{
    setText(text);
}
