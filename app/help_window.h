#pragma once

#include <QDialog>

class QTextBrowser;

// "Help": a short page shipped with the program on the measuring controls,
// the terms and where the data lives. Modeless; it deletes itself when closed.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPage = "qrc:/help/help.html";

    explicit HelpWindow(QWidget* parent = nullptr);

    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};
