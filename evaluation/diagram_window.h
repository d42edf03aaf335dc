#pragma once

#include "evaluation/diagram_kind.h"

#include <QDialog>

#include <cstdint>
#include <string>

class ChartHost;
class TrainingDocument;
class QCheckBox;
class QLabel;
class ShadeButton;

// A modeless window showing one diagram kind of the current training type,
// with its 30-measurement moving average on request.
class DiagramWindow : public QDialog {
    Q_OBJECT
public:
    DiagramWindow(const TrainingDocument& doc, DiagramKind kind);

    // Clears the chart and plots the current values.
    void fillGraph();
    // Asks for a file name and saves the diagram with its footer as PNG, SVG or PDF.
    void saveDiagramAs();

    DiagramKind kind() const { return m_kind; }
    std::uint32_t m_lineColor = 0;

public slots:
    // Esc leaves the window open.
    void reject() override { }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void onChangePresentation();
    // What the last fill showed; a paint refills only when this changed.
    std::string dataFingerprint() const;

    const TrainingDocument& m_doc;
    const DiagramKind m_kind;
    int m_presentation = 0;
    int m_movingAverage = 0;
    QString m_footer;
    std::string m_filledFingerprint;

    ChartHost* m_graph = nullptr;
    ShadeButton* m_presentationButton = nullptr;
    QLabel* m_staticFooter = nullptr;
    QCheckBox* m_movingAverageBox = nullptr;
};
