// Shows the main form with a few recorded intervals and saves pictures of it
// for a person to look at: form_preview OUTPUT_FOLDER (run under Xvfb).
#include "controls/bitmap_slider.h"
#include "editing/document_editor.h"
#include "practice/main_form.h"
#include "sound/alsa_sound_player.h"
#include "tests/support/document_edits.h"
#include "tests/support/sample_practice.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QTableView>
#include <QTest>

namespace {

// The group box of the volume sliders, as a picture of its own.
QPixmap soundGroup(QWidget& view)
{
    for (QGroupBox* group : view.findChildren<QGroupBox*>())
        if (group->title() == QStringLiteral("Sound settings and control"))
            return view.grab(group->geometry());
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    const auto save = [&folder](const QPixmap& picture, const char* name) {
        picture.save(folder.filePath(QString::fromLatin1(name)));
    };

    TrainingDocument document;
    document.onNewDocument();
    addSamplePractice(document);

    // The wave level only: the preview leaves the desktop's volume alone.
    qputenv("JHAVARI_ALSA_MIXER", "jhavari_no_such_mixer");
    DocumentEditor editor(document);
    MainForm view(editor, createAlsaSoundPlayer());
    view.setWindowTitle(QStringLiteral("Jhavari-Training"));
    view.resize(view.sizeHint());
    view.show();
    view.initialUpdate();
    changeSettings(document, [](DocumentSettings& s) { s.m_fixedExerciseTime = 1; });
    changeSettings(document, [&](DocumentSettings& s) { s.m_timeFixedDuration = makeDuration(0, 0, 20); });
    changeSettings(document, [&](DocumentSettings& s) { s.m_waveVolume = 14; });
    document.announceReset(DocumentReset::Loaded);
    auto* list = view.findChild<QTableView*>(QStringLiteral("1023"));
    list->selectRow(4);
    QTest::qWait(300);
    save(view.grab(), "form_settings.png");
    save(soundGroup(view), "sliders_rest.png");

    // The wave slider's thumb held half way to the left.
    auto* wave = view.findChild<BitmapSlider*>(QStringLiteral("1054"));
    const int y = wave->height() / 2;
    QTest::mousePress(wave, Qt::LeftButton, {}, QPoint(wave->width() * 2 / 3, y));
    QTest::mouseMove(wave, QPoint(wave->width() / 3, y));
    QTest::qWait(100);
    save(soundGroup(view), "sliders_dragging.png");
    QTest::mouseRelease(wave, Qt::LeftButton, {}, QPoint(wave->width() / 3, y));

    auto* types = view.findChild<QComboBox*>(QStringLiteral("1002"));
    types->setCurrentIndex(1);
    emit types->activated(1);
    QTest::qWait(200);
    save(view.grab(), "form_empty_list.png");
    types->setCurrentIndex(0);
    emit types->activated(0);

    view.onMeasuringModeCommand();
    QTest::qWait(700);
    save(view.grab(), "form_waiting.png");
    save(soundGroup(view), "sliders_measuring.png");

    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.width() / 2, view.height() / 2));
    QTest::qWait(2300);
    save(view.grab(), "form_recording.png");
    QTest::qWait(3100);
    save(view.grab(), "form_recording_later.png");

    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &view;
    QTest::keyPress(focus, Qt::Key_Escape);
    QTest::qWait(500);
    QTest::keyRelease(focus, Qt::Key_Escape);
    if (view.measuring().isActive())
        view.onMeasuringModeCommand();
    QTest::qWait(300);
    save(view.grab(), "form_after_escape.png");
    return view.measuring().isActive() ? 1 : 0;
}
