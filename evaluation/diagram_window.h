#pragma once

#include "evaluation/diagram_kind.h"

#include <QDialog>
#include <QTimer>

#include <cstdint>

class ChartHost;
class DiagramStatistics;
class TrainingDocument;
class QCheckBox;
class QLabel;
class ShadeButton;

// A modeless window showing one diagram kind of the current training type,
// with its 30-measurement moving average on request. Its values come from
// statistics it shares with the other diagram windows.
class DiagramWindow : public QDialog {
    Q_OBJECT
public:
    DiagramWindow(const TrainingDocument& doc, DiagramStatistics& statistics, DiagramKind kind);

    // Clears the chart and plots the current values.
    void fillGraph();
    // The data changed: the chart is refilled when the window is next shown,
    // raised, activated, exposed or painted.
    void markStale() { m_stale = true; }
    // Asks for a file name and saves the diagram with its footer as PNG, SVG or PDF.
    void saveDiagramAs();

    DiagramKind kind() const { return m_kind; }
    // The colour of the kind's line, as 0x00BBGGRR.
    std::uint32_t lineColor() const { return diagramColor(m_kind); }

public slots:
    // Esc leaves the window open.
    void reject() override { }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void onChangePresentation();
    void refillIfStale();

    const TrainingDocument& m_doc;
    DiagramStatistics& m_statistics;
    const DiagramKind m_kind;
    int m_presentation = 0;
    int m_movingAverage = 0;
    QString m_footer;
    bool m_stale = false;
    // The footer carries today's date: a window left open overnight refills at midnight.
    QTimer m_midnight;

    ChartHost* m_graph = nullptr;
    ShadeButton* m_presentationButton = nullptr;
    QLabel* m_staticFooter = nullptr;
    QCheckBox* m_movingAverageBox = nullptr;
};
