#include "app/main_view_factory.h"

#include "app/application.h"
#include "app/command_ids.h"
#include "app/main_window.h"
#include "practice/main_form.h"
#include "sound/alsa_master_volume.h"
#include "sound/alsa_sound_player.h"
#include "sound/wave_volume.h"

#include <QAction>

namespace {

void onCommand(MainWindow& frame, int commandId, MainForm* view, void (MainForm::*handler)())
{
    QObject::connect(frame.commandAction(commandId), &QAction::triggered, view, handler);
}

} // namespace

QWidget* makeMainView(TrainingDocument& doc, MainWindow& frame)
{
    // The wave slider's level is a gain that the player applies to every sample.
    auto gain = std::make_shared<WaveGain>();
    MainForm::Volumes volumes{std::make_unique<WaveVolume>(gain), std::make_unique<AlsaMasterVolume>()};
    auto* view = new MainForm(doc, createAlsaSoundPlayer(gain), std::move(volumes), systemClock(), nullptr, &frame);

    onCommand(frame, CommandId::kMeasuringMode, view, &MainForm::onMeasuringModeCommand);
    onCommand(frame, CommandId::kRestoreDefaults, view, &MainForm::onRestoreDefaults);
    onCommand(frame, CommandId::kIntervalFilter, view, &MainForm::onIntervalFilterCommand);
    onCommand(frame, CommandId::kManualEntry, view, &MainForm::onManualEntryCommand);
    onCommand(frame, CommandId::kTimeSound, view, &MainForm::onTimeSoundCommand);
    QObject::connect(frame.commandAction(CommandId::kFilePrintPreview), &QAction::triggered, view, [view] {
        Application* app = Application::instance();
        app->setPrinterOrientation(true);
        view->onFilePrintPreview(app->printer(), app->numPreviewPages(),
                                 [app](int pages) { app->setNumPreviewPages(pages); });
    });
    QObject::connect(frame.commandAction(CommandId::kPracticeSummary), &QAction::triggered, view,
                     [view] { view->diagrams().openSummary(); });
    QAction* timeSound = frame.commandAction(CommandId::kTimeSound);
    QObject::connect(view, &MainForm::timeSoundChanged, timeSound, &QAction::setChecked);
    QObject::connect(view, &MainForm::statusTextChanged, &frame, &MainWindow::setStatusText);
    QObject::connect(view, &MainForm::phoneRecordDialogRequested, view, &MainForm::onPhoneRecordEntry);
    QObject::connect(&frame, &MainWindow::measuringActivationChanged, view, &MainForm::onMeasuringActivationChanged);
    frame.followMeasuring(&view->measuringState());
    if (Application* app = Application::instance())
        QObject::connect(app, &Application::documentLeaving, view, &MainForm::endMeasuring);

    view->initialUpdate();
    return view;
}
