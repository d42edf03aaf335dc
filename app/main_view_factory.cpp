#include "app/main_view_factory.h"

#include "app/after_first_paint.h"
#include "app/application.h"
#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/view_commands.h"
#include "editing/document_editor.h"
#include "platform/screen_saver_inhibitor.h"
#include "platform/x11_screen_saver_suspension.h"
#include "practice/main_form.h"
#include "practice/measuring_state.h"
#include "sound/alsa_master_volume.h"
#include "sound/alsa_sound_player.h"
#include "sound/wave_volume.h"

#include <QAction>
#include <QPointer>

QWidget* makeMainView(DocumentEditor& editor, MainWindow& frame)
{
    // The wave slider's level is a gain that the player applies to every sample.
    auto gain = std::make_shared<WaveGain>();
    // The master volume reaches the sound server: the window shows first.
    auto master = std::make_unique<AlsaMasterVolume>(nullptr, AlsaMasterVolume::Opening::Later);
    new AfterFirstPaint(&frame, [master = QPointer<AlsaMasterVolume>(master.get())] {
        if (master)
            master->openNow();
    });
    VolumePanel::Volumes volumes{std::make_unique<WaveVolume>(gain), std::move(master)};
    auto* view = new MainForm(editor, createAlsaSoundPlayer(gain), std::move(volumes), systemClock(), nullptr, &frame);
    auto* commands = new ViewCommands(editor, *view);

    const auto onCommand = [&frame](int commandId, QObject* receiver, auto handler) {
        QObject::connect(frame.commandAction(commandId), &QAction::triggered, receiver, handler);
    };
    onCommand(CommandId::kMeasuringMode, view, [view] { view->onMeasuringModeCommand(); });
    onCommand(CommandId::kTimeSound, view, [view] { view->onTimeSoundCommand(); });
    onCommand(CommandId::kRestoreDefaults, commands, [commands] { commands->restoreDefaults(); });
    onCommand(CommandId::kIntervalFilter, commands, [commands] { commands->openIntervalFilter(); });
    onCommand(CommandId::kManualEntry, commands, [commands] { commands->openManualEntry(); });
    onCommand(CommandId::kPhoneRecords, commands, [commands] { commands->openPhoneRecords(); });
    onCommand(CommandId::kFileImport, commands, [commands] { commands->importIntervals(); });
    onCommand(CommandId::kFilePrintPreview, commands, [commands] {
        Application* app = Application::instance();
        // Without a printer the user has been told why, once.
        QPagedPaintDevice* printer = app->printer();
        if (!printer)
            return;
        app->setPrinterOrientation(true);
        commands->printPreview(*printer, app->numPreviewPages(), [app](int pages) { app->setNumPreviewPages(pages); });
    });
    onCommand(CommandId::kPracticeSummary, view, [view] { view->diagrams().openSummary(); });
    QAction* timeSound = frame.commandAction(CommandId::kTimeSound);
    QObject::connect(view, &MainForm::timeSoundChanged, timeSound, &QAction::setChecked);
    QObject::connect(view, &MainForm::statusTextChanged, &frame, &MainWindow::setStatusText);
    QObject::connect(view, &MainForm::phoneRecordDialogRequested, commands, &ViewCommands::openPhoneRecords);
    QObject::connect(&frame, &MainWindow::measuringActivationChanged, view, &MainForm::onMeasuringActivationChanged);
    frame.followMeasuring(&view->measuringState());
    // The practitioner sits still for long: meanwhile the screen must neither blank nor lock.
    QObject::connect(&view->measuringState(), &MeasuringState::activeChanged, new ScreenSaverInhibitor(&frame),
                     &ScreenSaverInhibitor::setInhibited);
    QObject::connect(&view->measuringState(), &MeasuringState::activeChanged, new X11ScreenSaverSuspension(&frame),
                     &X11ScreenSaverSuspension::setSuspended);
    frame.followUndoStack(&editor.undoStack());
    if (Application* app = Application::instance())
        QObject::connect(app, &Application::documentLeaving, view, &MainForm::endMeasuring);

    view->initialUpdate();
    return view;
}
