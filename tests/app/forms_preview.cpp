// Saves pictures of the shaded buttons on every form for a person to look at
// (run under Xvfb): forms_preview OUTPUT_FOLDER [--dark]. The main form at
// rest, with the pointer over a button, with a button pressed and while
// measuring; the diagram window, the sound, filter and entry dialogs and the
// about box.
#include "app/about_dialog.h"
#include "controls/shade_button.h"
#include "dialogs/interval_filter_dialog.h"
#include "dialogs/manual_entry_dialog.h"
#include "dialogs/phone_record_dialog.h"
#include "dialogs/sound_choice_dialog.h"
#include "editing/document_editor.h"
#include "evaluation/diagram_statistics.h"
#include "evaluation/diagram_window.h"
#include "practice/main_form.h"
#include "sound/alsa_sound_player.h"
#include "tests/support/dark_palette.h"
#include "tests/support/sample_practice.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QStyleFactory>
#include <QTest>

namespace {

void hover(QWidget* button)
{
    QEnterEvent enter(QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
}

void unhover(QWidget* button)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const bool dark = arguments.contains(QStringLiteral("--dark"));
    const QDir folder(arguments.size() > 1 && !arguments[1].startsWith(QStringLiteral("--")) ? arguments[1]
                                                                                             : QDir::currentPath());
    if (dark) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }
    const QString suffix = dark ? QStringLiteral("_dark.png") : QStringLiteral(".png");
    const auto save = [&](QWidget& widget, const char* name) {
        widget.grab().save(folder.filePath(QString::fromLatin1(name) + suffix));
    };
    // A button and its surroundings three times enlarged, to see the face's pixels.
    const auto saveEnlarged = [&](QWidget* button, const char* name) {
        QWidget* window = button->window();
        const QRect around = QRect(button->mapTo(window, QPoint(0, 0)), button->size()).adjusted(-6, -6, 6, 6);
        const QPixmap picture = window->grab(around);
        picture.scaled(picture.size() * 3).save(folder.filePath(QString::fromLatin1(name) + suffix));
    };

    TrainingDocument document;
    document.onNewDocument();
    addSamplePractice(document);
    DocumentEditor editor(document);
    MainForm view(editor, createAlsaSoundPlayer());
    view.resize(view.sizeHint());
    view.show();
    view.activateWindow(); // the focus frame shows in the active window only
    if (!QTest::qWaitForWindowActive(&view))
        qWarning("The main form did not become active; no focus frame will show.");
    document.announceReset(DocumentReset::Loaded);
    QTest::qWait(300);
    save(view, "main_rest");
    saveEnlarged(view.findChild<ShadeButton*>(QStringLiteral("1057")), "button_rest");
    saveEnlarged(view.findChild<ShadeButton*>(QStringLiteral("1013")), "checkbox_checked");
    saveEnlarged(view.findChild<ShadeButton*>(QStringLiteral("1010")), "checkbox_unchecked");
    saveEnlarged(view.findChild<ShadeButton*>(QStringLiteral("1012")), "button_disabled");

    auto* diagramButton = view.findChild<ShadeButton*>(QStringLiteral("1057"));
    hover(diagramButton);
    save(view, "main_hover");
    saveEnlarged(diagramButton, "button_hover");
    unhover(diagramButton);

    auto* chooseSounds = view.findChild<ShadeButton*>(QStringLiteral("1016"));
    chooseSounds->setFocus();
    QTest::mousePress(chooseSounds, Qt::LeftButton);
    save(view, "main_pressed");
    saveEnlarged(chooseSounds, "button_pressed");
    const QPoint outside(chooseSounds->width() / 2, -20);
    QTest::mouseMove(chooseSounds, outside);
    QTest::mouseRelease(chooseSounds, Qt::LeftButton, {}, outside);
    saveEnlarged(chooseSounds, "button_focused");

    view.onMeasuringModeCommand();
    QTest::qWait(500);
    save(view, "main_measuring");
    saveEnlarged(view.findChild<ShadeButton*>(QStringLiteral("1012")), "button_alarm_measuring");
    view.onMeasuringModeCommand();
    QTest::qWait(200);

    DiagramStatistics statistics(document);
    auto* diagram = new DiagramWindow(document, statistics, DiagramKind::Average); // deletes itself on closing
    diagram->show();
    QTest::qWait(200);
    hover(diagram->findChild<ShadeButton*>(QStringLiteral("1063")));
    save(*diagram, "diagram_hover");
    diagram->close();

    SoundChoiceDialog sounds(editor, [](const std::string&) {});
    sounds.show();
    QTest::qWait(200);
    save(sounds, "sounds_rest");
    hover(sounds.findChild<ShadeButton*>(QStringLiteral("1026")));
    save(sounds, "sounds_hover");
    sounds.reject();

    IntervalFilterDialog filter(editor);
    filter.show();
    QTest::qWait(200);
    save(filter, "filter_rest");
    filter.reject();

    ManualEntryDialog entry(editor, 0);
    entry.propose("4", makeLocalTime(2026, 12, 5, 23, 50, 20), makeLocalTime(2026, 12, 6, 0, 5, 0));
    entry.show();
    QTest::qWait(200);
    save(entry, "manual_entry_rest");
    entry.reject();

    PhoneRecordDialog phone(editor, 0, 4);
    phone.show();
    QTest::qWait(200);
    save(phone, "phone_rest");
    phone.reject();

    AboutDialog about;
    about.show();
    QTest::qWait(200);
    save(about, "about_rest");
    QTest::mousePress(about.findChild<ShadeButton*>(QStringLiteral("1")), Qt::LeftButton);
    save(about, "about_pressed");
    return 0;
}
