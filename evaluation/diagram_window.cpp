#include "evaluation/diagram_window.h"

#include "chart_component/chart_control.h"
#include "controls/shade_button.h"
#include "evaluation/chart_host.h"
#include "evaluation/diagram_image.h"
#include "evaluation/diagram_places.h"
#include "evaluation/diagram_point_tips.h"
#include "evaluation/diagram_print_job.h"
#include "evaluation/diagram_statistics.h"
#include "evaluation/diagram_text.h"
#include "platform/dialog_layout.h"
#include "platform/file_dialog_folder.h"
#include "platform/file_dialogs.h"
#include "platform/message_box.h"
#include "records/document_error.h"
#include "records/text_encoding.h"
#include "records/training_document.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QWindow>

#include <array>
#include <ctime>

namespace {

constexpr int kChartId = 1062;
constexpr int kPresentationId = 1063;
constexpr int kFooterId = 1064;
constexpr int kMovingAverageId = 1073;

constexpr std::array<DialogControl, 4> kTemplate = {{
    {kChartId, DialogControlKind::Custom, 3, 3, 483, 265, nullptr},
    {kPresentationId, DialogControlKind::PushButton, 413, 275, 73, 14, "Change presentation",
     DialogControlStyle::Shaded},
    {kFooterId, DialogControlKind::Label, 8, 278, 393, 13, "Footer"},
    {kMovingAverageId, DialogControlKind::CheckBox, 7, 294, 127, 10, "Show moving average (30-day-line)"},
}};

} // namespace

DiagramWindow::DiagramWindow(const TrainingDocument& doc, DiagramStatistics& statistics, DiagramKind kind)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      m_doc(doc), m_statistics(statistics), m_kind(kind)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setObjectName(QStringLiteral("157"));
    const QFont font = templateFont();
    setFont(font);
    const QMap<int, QWidget*> controls =
        buildDialogControls(this, font, kTemplate, [this](const DialogControl&, QWidget* parent) {
            m_graph = new ChartHost(parent);
            return m_graph;
        });
    m_presentationButton = qobject_cast<ShadeButton*>(controls.value(kPresentationId));
    m_staticFooter = qobject_cast<QLabel*>(controls.value(kFooterId));
    m_movingAverageBox = qobject_cast<QCheckBox*>(controls.value(kMovingAverageId));
    m_staticFooter->setWordWrap(false);
    const DialogBaseUnits units = DialogBaseUnits::fromFont(font);
    setFixedSize(units.toPixelsX(491), units.toPixelsY(311));
    setWindowTitle(QString::fromLatin1(diagramName(kind)));

    m_presentationButton->setTextColor(QColor(0x00, 0x00, 0xFF));
    connect(m_presentationButton, &ShadeButton::clicked, this, &DiagramWindow::onChangePresentation);
    connect(m_movingAverageBox, &QCheckBox::toggled, this, &DiagramWindow::fillGraph);
    m_midnight.setSingleShot(true);
    connect(&m_midnight, &QTimer::timeout, this, &DiagramWindow::fillGraph);

    // The window's template has no room for more controls: saving is offered on its context menu.
    auto* save = new QAction(QStringLiteral("Save diagram as..."), this);
    save->setObjectName(QStringLiteral("saveDiagram"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &DiagramWindow::saveDiagramAs);
    addAction(save);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    if (ChartControl* chart = m_graph->control()) {
        chart->setFrameStyle(1);
        chart->setXLabel(QStringLiteral("Measurements"));
        chart->setPlotAreaColor(0xF0F0F0);
        chart->setShowGrid(true);
        chart->setYLabel(QString::fromLatin1(yAxisCaption(kind)));
        new DiagramPointTips(m_doc, m_kind, *chart);
    }
    // Filled before the chart has a size, its axes are laid out once, for the values' ranges.
    fillGraph();
}

void DiagramWindow::fillGraph()
{
    m_stale = false;
    m_midnight.start(static_cast<int>(secondsUntilNextLocalDay(static_cast<CalendarTime>(std::time(nullptr))) * 1000));
    static const TrainingType kNoType;
    const TrainingType& type = m_doc.currentTrainingType() ? *m_doc.currentTrainingType() : kNoType;
    const IntervalStatistics& statistics = m_statistics.current();
    const int count = statistics.measurementCount();

    if (count > kMovingAverageWidth) {
        m_movingAverageBox->setEnabled(true);
        m_movingAverage = m_movingAverageBox->isChecked();
    } else {
        m_movingAverageBox->setEnabled(false);
        m_movingAverage = 0;
    }
    m_footer = QString::fromStdString(decodeText(footerText(m_kind, m_doc.title(), m_doc.settings().m_timeFilter,
                                                            static_cast<CalendarTime>(std::time(nullptr)))));

    if (ChartControl* chart = m_graph->control()) {
        chart->clearGraph();
        const AxisRanges ranges = statistics.axisRanges(m_kind);
        chart->setCaption(QString::fromStdString(decodeText(diagramTitle(type.m_name, m_kind))));
        chart->setRange(0, ranges.x, 0, ranges.y);
        chart->setElement(0);
        chart->setElementLineColor(lineColor());
        chart->setElementIdentify(false);
        chart->setElementPointColor(0);
        chart->setElementPointSymbol(4);
        chart->setElementWidth(1);
        chart->setElementSolidPoint(true);
        chart->setElementLinetype(m_presentation);
        if (m_movingAverage) {
            chart->addElement();
            chart->setElementLineColor(0x0000FF);
            chart->setElementIdentify(false);
            chart->setElementPointColor(0x0000FF);
            chart->setElementPointSymbol(0);
            chart->setElementWidth(1);
            chart->setElementSolidPoint(true);
        }
        chart->plotXY(0, 0, 0);
        for (int n = 1; n <= count; ++n) {
            const std::int64_t value = statistics.value(m_kind, n);
            if (m_kind == DiagramKind::Sikkhati || value != 0)
                chart->plotXY(n, static_cast<double>(value) / 60, 0);
            if (n >= kMovingAverageWidth && m_movingAverage)
                chart->plotXY(n, static_cast<double>(statistics.movingAverage(m_kind, n)) / 60, 1);
        }
    }
    m_staticFooter->setText(m_footer);
}

void DiagramWindow::saveDiagramAs()
{
    const QString suggested =
        inFileDialogFolder(QFile::decodeName(m_doc.pathName().c_str()), windowTitle() + QStringLiteral(".png"));
    const QString path = fileDialogs().getSaveFileName(
        this, QStringLiteral("Diagramm speichern unter"), suggested,
        QStringLiteral("PNG-Bild (*.png);;SVG-Grafik (*.svg);;PDF-Dokument (*.pdf)"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    if (!saveDiagramImage(*m_graph, *m_staticFooter, path)) {
        const DocumentError failure(DocumentError::Cause::Generic, QFile::encodeName(path).toStdString());
        messageBoxes().showMessage(this, QString::fromStdString(failure.message()));
    }
}

void DiagramWindow::onChangePresentation()
{
    m_presentation = (m_presentation + 1) % kPresentationCount;
    fillGraph();
}

void DiagramWindow::closeEvent(QCloseEvent* event)
{
    // The close box closes, unlike Esc; the window then deletes itself.
    rememberDiagramPlace(m_kind, pos());
    event->accept();
}

void DiagramWindow::refillIfStale()
{
    if (m_stale)
        fillGraph();
}

bool DiagramWindow::event(QEvent* event)
{
    // Raised by the user or by its button, the window comes forward activated.
    if (event->type() == QEvent::WindowActivate)
        refillIfStale();
    return QDialog::event(event);
}

bool DiagramWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Uncovered, the window shows what it last drew, without painting anew.
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed())
        refillIfStale();
    return QDialog::eventFilter(watched, event);
}

void DiagramWindow::showEvent(QShowEvent* event)
{
    refillIfStale();
    // The native window exists once shown; installing the filter again keeps it once.
    windowHandle()->installEventFilter(this);
    QDialog::showEvent(event);
}

void DiagramWindow::paintEvent(QPaintEvent* event)
{
    refillIfStale();
    QDialog::paintEvent(event);
}
