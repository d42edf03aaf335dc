#pragma once

#include <QDialog>
#include <QString>

// "Info about Jhavari-Training": version and build stamp, the product's web
// address as a link, and OK.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersion = "1.2.01";
    static constexpr const char* kWebAddress = "https://www.holmvard.com/jhavari-training";

    explicit AboutDialog(QWidget* parent = nullptr);
};

// "Version 1.2.01   Built 90611135702" for a build on 11 June 2019 13:57:02.
QString aboutVersionLine(const char* buildDate, const char* buildTime);
