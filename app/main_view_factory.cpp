#include "main_view_factory.h"

#include "alsa_sound_player.h"
#include "command_ids.h"
#include "main_frame.h"
#include "versenkwerk_app.h"
#include "versenkwerk_view.h"

#include <QAction>

namespace {

void OnCommand(CMainFrame& frame, int commandId, CVersenkwerkView* view, void (CVersenkwerkView::*handler)())
{
    QObject::connect(frame.GetCommandAction(commandId), &QAction::triggered, view, handler);
}

} // namespace

QWidget* MakeMainView(CVersenkwerkDoc& doc, CMainFrame& frame)
{
    auto* view = new CVersenkwerkView(doc, CreateAlsaSoundPlayer(), SystemClock(), nullptr, &frame);

    OnCommand(frame, CommandId::kMeasuringMode, view, &CVersenkwerkView::OnMeasuringModeCommand);
    OnCommand(frame, CommandId::kRestoreDefaults, view, &CVersenkwerkView::OnRestoreDefaults);
    OnCommand(frame, CommandId::kIntervalFilter, view, &CVersenkwerkView::OnIntervalFilterCommand);
    OnCommand(frame, CommandId::kManualEntry, view, &CVersenkwerkView::OnManualEntryCommand);
    OnCommand(frame, CommandId::kTimeSound, view, &CVersenkwerkView::OnTimeSoundCommand);
    QObject::connect(frame.GetCommandAction(CommandId::kFilePrintPreview), &QAction::triggered, view, [view] {
        CVersenkwerkApp* app = CVersenkwerkApp::Instance();
        app->SetPrinterOrientation(true);
        int pages = app->GetNumPreviewPages();
        view->OnFilePrintPreview(app->GetPrinter(), pages);
        app->SetNumPreviewPages(pages);
    });
    QAction* timeSound = frame.GetCommandAction(CommandId::kTimeSound);
    QObject::connect(view, &CVersenkwerkView::TimeSoundChanged, timeSound, &QAction::setChecked);
    QObject::connect(view, &CVersenkwerkView::StatusTextChanged, &frame, &CMainFrame::SetStatusText);
    QObject::connect(view, &CVersenkwerkView::PhoneRecordDialogRequested, view, &CVersenkwerkView::OnPhoneRecordEntry);
    QObject::connect(&frame, &CMainFrame::MeasuringActivationChanged, view, &CVersenkwerkView::ConfinePointer);

    view->OnInitialUpdate();
    return view;
}
