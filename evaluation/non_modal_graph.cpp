#include "non_modal_graph.h"

#include "diagram_printout.h"
#include "diagram_text.h"
#include "dialog_layout.h"
#include "document.h"
#include "interval_statistics.h"
#include "ntgraph_control.h"
#include "ntgraph_wrapper.h"
#include "text_encoding.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <ctime>

namespace {

constexpr int kChartId = 1062;
constexpr int kPresentationId = 1063;
constexpr int kFooterId = 1064;
constexpr int kMovingAverageId = 1073;

constexpr std::array<DialogControl, 4> kTemplate = {{
    {kChartId, DialogControlKind::Custom, 3, 3, 483, 265, nullptr},
    {kPresentationId, DialogControlKind::PushButton, 413, 275, 73, 14, "Change presentation"},
    {kFooterId, DialogControlKind::Label, 8, 278, 393, 13, "Footer"},
    {kMovingAverageId, DialogControlKind::CheckBox, 7, 294, 127, 10, "Show moving average (30-day-line)"},
}};

const char* WindowText(DiagramKind kind)
{
    switch (kind) {
    case Maximum: return "Maximum";
    case Average: return "Average";
    case Median: return "Median";
    case Sikkhati: break;
    }
    return "Sikkhati";
}

QFont FormFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return font;
}

} // namespace

CNonModalGraph::CNonModalGraph(const CVersenkwerkDoc& doc, DiagramKind kind)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      m_doc(doc), m_nKind(kind)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setObjectName(QStringLiteral("157"));
    const QFont font = FormFont();
    setFont(font);
    const QMap<int, QWidget*> controls =
        BuildDialogControls(this, font, kTemplate, [this](const DialogControl&, QWidget* parent) {
            m_graph = new CNTGraph(parent);
            return m_graph;
        });
    m_btnPresentation = qobject_cast<QPushButton*>(controls.value(kPresentationId));
    m_staticFooter = qobject_cast<QLabel*>(controls.value(kFooterId));
    m_chkMovingAverage = qobject_cast<QCheckBox*>(controls.value(kMovingAverageId));
    m_staticFooter->setWordWrap(false);
    const DialogBaseUnits units = DialogBaseUnits::FromFont(font);
    setFixedSize(units.ToPixelsX(491), units.ToPixelsY(311));
    setWindowTitle(QString::fromLatin1(WindowText(kind)));

    QPalette palette = m_btnPresentation->palette();
    palette.setColor(QPalette::ButtonText, QColor(0x00, 0x00, 0xFF));
    m_btnPresentation->setPalette(palette);
    connect(m_btnPresentation, &QPushButton::clicked, this, &CNonModalGraph::OnChangePresentation);
    connect(m_chkMovingAverage, &QCheckBox::toggled, this, &CNonModalGraph::FillGraph);

    if (INTGraphControl* chart = m_graph->Control()) {
        chart->SetFrameStyle(1);
        chart->SetXLabel(QStringLiteral("Measurements"));
        chart->SetPlotAreaColor(0xF0F0F0);
        chart->SetShowGrid(true);
        chart->SetYLabel(QString::fromLatin1(GetYAxisCaption(kind)));
    }
}

std::string CNonModalGraph::DataFingerprint() const
{
    const TrainingType* type = m_doc.m_pCurrentType;
    // The footer carries today's date, so a window left open overnight refills too.
    const std::tm today = BreakLocalTime(static_cast<CalendarTime>(std::time(nullptr)));
    std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(type)) + '|' +
                      std::to_string(m_doc.m_settings.m_timeFilter) + '|' + m_doc.GetTitle() + '|' +
                      std::to_string(today.tm_year) + '-' + std::to_string(today.tm_yday);
    if (type) {
        const CDataEntryArray& entries = type->m_aEntries;
        key += '|' + type->m_strName + '|' + std::to_string(entries.GetSize());
        if (entries.GetSize() > 0) {
            const CDataEntry& last = entries[entries.GetSize() - 1];
            key += '|' + std::to_string(last.m_timeStart) + '|' + std::to_string(last.m_timeEnd) + '|' +
                   std::to_string(last.m_nMeasurement) + '|' + std::to_string(last.m_bUddhacca);
        }
    }
    return key;
}

void CNonModalGraph::FillGraph()
{
    m_strFilledFingerprint = DataFingerprint();
    static const TrainingType kNoType;
    const TrainingType& type = m_doc.m_pCurrentType ? *m_doc.m_pCurrentType : kNoType;
    const CIntervalStatistics statistics(type, m_doc.m_settings.m_timeFilter);
    const int count = statistics.GetMeasurementCount();

    if (count > kMovingAverageWidth) {
        m_chkMovingAverage->setEnabled(true);
        m_bMovingAverage = m_chkMovingAverage->isChecked();
    } else {
        m_chkMovingAverage->setEnabled(false);
        m_bMovingAverage = 0;
    }
    m_strFooter = QString::fromStdString(DecodeText(GetFooterText(
        m_nKind, m_doc.GetTitle(), m_doc.m_settings.m_timeFilter, static_cast<CalendarTime>(std::time(nullptr)))));

    if (INTGraphControl* chart = m_graph->Control()) {
        chart->ClearGraph();
        const AxisRanges ranges = statistics.GetAxisRanges(m_nKind);
        chart->SetCaption(QString::fromStdString(DecodeText(GetDiagramTitle(type.m_strName, m_nKind))));
        chart->SetRange(0, ranges.x, 0, ranges.y);
        chart->SetElement(0);
        chart->SetElementLineColor(m_crLine);
        chart->SetElementIdentify(false);
        chart->SetElementPointColor(0);
        chart->SetElementPointSymbol(4);
        chart->SetElementWidth(1);
        chart->SetElementSolidPoint(true);
        chart->SetElementLinetype(m_nPresentation);
        if (m_bMovingAverage) {
            chart->AddElement();
            chart->SetElementLineColor(0x0000FF);
            chart->SetElementIdentify(false);
            chart->SetElementPointColor(0x0000FF);
            chart->SetElementPointSymbol(0);
            chart->SetElementWidth(1);
            chart->SetElementSolidPoint(true);
        }
        chart->PlotXY(0, 0, 0);
        for (int n = 1; n <= count; ++n) {
            const std::int64_t value = statistics.GetValue(m_nKind, n);
            if (m_nKind == Sikkhati || value != 0)
                chart->PlotXY(n, static_cast<double>(value) / 60, 0);
            if (n >= kMovingAverageWidth && m_bMovingAverage)
                chart->PlotXY(n, static_cast<double>(statistics.GetMovingAverage(m_nKind, n)) / 60, 1);
        }
    }
    m_staticFooter->setText(m_strFooter);
}

void CNonModalGraph::OnChangePresentation()
{
    m_nPresentation = (m_nPresentation + 1) % kPresentationCount;
    FillGraph();
}

void CNonModalGraph::closeEvent(QCloseEvent* event)
{
    // The close box closes, unlike Esc; the window then deletes itself.
    event->accept();
}

void CNonModalGraph::showEvent(QShowEvent* event)
{
    if (DataFingerprint() != m_strFilledFingerprint)
        FillGraph();
    QDialog::showEvent(event);
}

void CNonModalGraph::paintEvent(QPaintEvent* event)
{
    if (DataFingerprint() != m_strFilledFingerprint)
        FillGraph();
    QDialog::paintEvent(event);
}
