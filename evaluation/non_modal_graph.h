#pragma once

#include "diagram_kind.h"

#include <QDialog>

#include <cstdint>
#include <string>

class CNTGraph;
class CVersenkwerkDoc;
class QCheckBox;
class QLabel;
class QPushButton;

// A modeless window showing one diagram kind of the current training type,
// with its 30-measurement moving average on request.
class CNonModalGraph : public QDialog {
    Q_OBJECT
public:
    CNonModalGraph(const CVersenkwerkDoc& doc, DiagramKind kind);

    // Clears the chart and plots the current values.
    void FillGraph();

    DiagramKind GetKind() const { return m_nKind; }
    std::uint32_t m_crLine = 0;

public slots:
    // Esc leaves the window open.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnChangePresentation();
    // What the last fill showed; a paint refills only when this changed.
    std::string DataFingerprint() const;

    const CVersenkwerkDoc& m_doc;
    const DiagramKind m_nKind;
    int m_nPresentation = 0;
    int m_bMovingAverage = 0;
    QString m_strFooter;
    std::string m_strFilledFingerprint;

    CNTGraph* m_graph = nullptr;
    QPushButton* m_btnPresentation = nullptr;
    QLabel* m_staticFooter = nullptr;
    QCheckBox* m_chkMovingAverage = nullptr;
};
