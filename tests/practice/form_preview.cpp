// Shows the main form with a few recorded intervals and saves pictures of it
// while waiting and while recording: form_preview OUTPUT_FOLDER.
#include "alsa_sound_player.h"
#include "measuring_mode_flag.h"
#include "versenkwerk_view.h"

#include <QApplication>
#include <QDir>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    CVersenkwerkDoc document;
    document.OnNewDocument();
    TrainingType& type = document.m_aTrainingTypes[0];
    CalendarTime start = MakeLocalTime(2026, 12, 6, 6, 30, 0);
    for (int i = 0; i < 14; ++i) {
        CDataEntry entry;
        entry.m_timeStart = start;
        entry.m_timeEnd = start + 40 + (i * 97) % 400;
        entry.m_bUddhacca = i % 4 == 3;
        entry.m_nMeasurement = static_cast<std::uint16_t>(i / 6 + 1);
        entry.m_nRun = static_cast<std::uint16_t>(i % 6 + 1);
        type.m_aEntries.Add(entry);
        start = entry.m_timeEnd + 30;
    }

    CVersenkwerkView view(document, CreateAlsaSoundPlayer());
    view.setWindowTitle(QStringLiteral("Jhavari-Training"));
    view.resize(view.sizeHint());
    view.show();
    document.UpdateAllViews(0);
    QTest::qWait(300);
    view.grab().save(folder.filePath(QStringLiteral("form_settings.png")));

    view.OnMeasuringModeCommand();
    QTest::qWait(700);
    view.grab().save(folder.filePath(QStringLiteral("form_waiting.png")));

    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.width() / 2, view.height() / 2));
    QTest::qWait(2300);
    view.grab().save(folder.filePath(QStringLiteral("form_recording.png")));
    view.OnMeasuringModeCommand();
    return g_bMeasuringMode ? 1 : 0;
}
