#include "platform/time_picker.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

// H:MM:SS or HH:MM:SS with colons, HHMMSS without.
const QRegularExpression& wholeTimePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(\\d{1,2}):(\\d{2}):(\\d{2})|(\\d{2})(\\d{2})(\\d{2}))$"));
    return pattern;
}

bool mayBecomeWholeTime(const QString& typed)
{
    const QRegularExpressionMatch match =
        wholeTimePattern().match(typed, 0, QRegularExpression::PartialPreferCompleteMatch);
    return match.hasMatch() || match.hasPartialMatch();
}

std::optional<QTime> wholeTime(const QString& typed)
{
    const QRegularExpressionMatch match = wholeTimePattern().match(typed);
    if (!match.hasMatch())
        return std::nullopt;
    const int first = match.capturedLength(1) > 0 ? 1 : 4;
    const QTime time(match.captured(first).toInt(), match.captured(first + 1).toInt(),
                     match.captured(first + 2).toInt());
    return time.isValid() ? std::optional(time) : std::nullopt;
}

} // namespace

TimePicker::TimePicker(QWidget* parent) : QTimeEdit(parent)
{
    setDisplayFormat(QStringLiteral("HH:mm:ss"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QTimeEdit::timeChanged, this, [this] {
        if (!m_setting)
            emit timeEdited();
    });
    lineEdit()->installEventFilter(this);
}

bool TimePicker::eventFilter(QObject* watched, QEvent* event)
{
    // A click only places the caret, and digits typed at a caret inside a
    // section are refused; selecting the section under the click lets them
    // replace it. A drag that selected text keeps its selection.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress)
        m_typed.clear();
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !lineEdit()->hasSelectedText()) {
        const bool handled = QTimeEdit::eventFilter(watched, event);
        // Every section of "HH:mm:ss" is two digits and a separator wide.
        const int index = std::min(lineEdit()->cursorPosition() / 3, sectionCount() - 1);
        setCurrentSectionIndex(index);
        setSelectedSection(sectionAt(index));
        return handled;
    }
    return QTimeEdit::eventFilter(watched, event);
}

void TimePicker::keyPressEvent(QKeyEvent* event)
{
    const QString key = event->text();
    const bool typing = key.size() == 1 && (key[0].isDigit() || key[0] == QLatin1Char(':'));
    // Shift, pressed for the colon on many keyboards, is no key of its own.
    const bool modifierOnly = event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control ||
                              event->key() == Qt::Key_Alt || event->key() == Qt::Key_AltGr ||
                              event->key() == Qt::Key_Meta;
    // Each key works on its section as ever; a colon right after a completed
    // section would skip one, which the whole time typed then puts right.
    QTimeEdit::keyPressEvent(event);
    if (!typing) {
        if (!modifierOnly)
            m_typed.clear();
        return;
    }
    m_typed += key;
    if (!mayBecomeWholeTime(m_typed))
        m_typed = mayBecomeWholeTime(key) ? key : QString();
    if (const std::optional<QTime> typedTime = wholeTime(m_typed)) {
        m_typed.clear();
        setTime(*typedTime);
    }
}

void TimePicker::focusInEvent(QFocusEvent* event)
{
    m_typed.clear();
    QTimeEdit::focusInEvent(event);
}

void TimePicker::setCalendarTime(CalendarTime time)
{
    m_timeGiven = time;
    const std::tm fields = breakLocalTime(time);
    m_setting = true;
    setTime(QTime(fields.tm_hour, fields.tm_min, fields.tm_sec));
    m_setting = false;
}

CalendarTime TimePicker::calendarTime() const
{
    const std::tm date = breakLocalTime(m_timeGiven);
    const QTime shown = time();
    return makeLocalTime(date.tm_year + 1900, date.tm_mon + 1, date.tm_mday, shown.hour(), shown.minute(),
                         shown.second());
}
