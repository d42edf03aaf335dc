// Shows the main form with a few recorded intervals and saves pictures of it
// while waiting and while recording: form_preview OUTPUT_FOLDER.
#include "sound/alsa_sound_player.h"
#include "practice/main_form.h"

#include <QApplication>
#include <QDir>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    TrainingDocument document;
    document.onNewDocument();
    const TrainingType& type = document.trainingTypes()[0];
    CalendarTime start = makeLocalTime(2026, 12, 6, 6, 30, 0);
    for (int i = 0; i < 14; ++i) {
        IntervalRecord entry;
        entry.m_timeStart = start;
        entry.m_timeEnd = start + 40 + (i * 97) % 400;
        entry.m_uddhacca = i % 4 == 3;
        entry.m_measurement = static_cast<std::uint16_t>(i / 6 + 1);
        entry.m_run = static_cast<std::uint16_t>(i % 6 + 1);
        document.appendInterval(type, entry);
        start = entry.m_timeEnd + 30;
    }

    MainForm view(document, createAlsaSoundPlayer());
    view.setWindowTitle(QStringLiteral("Jhavari-Training"));
    view.resize(view.sizeHint());
    view.show();
    document.notifyObservers();
    QTest::qWait(300);
    view.grab().save(folder.filePath(QStringLiteral("form_settings.png")));

    view.onMeasuringModeCommand();
    QTest::qWait(700);
    view.grab().save(folder.filePath(QStringLiteral("form_waiting.png")));

    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.width() / 2, view.height() / 2));
    QTest::qWait(2300);
    view.grab().save(folder.filePath(QStringLiteral("form_recording.png")));
    view.onMeasuringModeCommand();
    return view.measuring().isActive() ? 1 : 0;
}
